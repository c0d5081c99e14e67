#pragma once

#include "platform/Platform.h"
#include "printing/StampaScheda.h"

#include <QDateTime>
#include <QDialog>
#include <QPointer>

#include <functional>

class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace melodora {

/**
 * The card print dialog: prints the texts of the card on display on the default printer,
 * in the layout the user chooses. A printout that fails is reported and the dialog stays
 * open; one that succeeds closes it.
 */
class frmStampa : public QDialog {
    Q_OBJECT
public:
    using Orologio = std::function<QDateTime()>;

    /**
     * @p testi are the main window's fields, @p campoTitolo its title field, which gets the
     * focus when a card without title is refused. @p orologio dates the footer.
     */
    frmStampa(Platform& platform, TestiScheda testi, QWidget* campoTitolo,
        QWidget* parent = nullptr, Orologio orologio = &QDateTime::currentDateTime);

    void cmdStampa_Click();
    void cmdAnnulla_Click();
    void cmdImp_Click();

    // The three layouts, each guarded by the title.
    void StampaInformazioni();
    void StampaCompleta();
    void StampaTesto();

private:
    void creaControlli();
    void Form_Load();
    void stampa(Impaginazione impaginazione);

    Platform& m_platform;
    TestiScheda m_testi;
    QPointer<QWidget> m_campoTitolo;
    Orologio m_orologio;

public:
    // Controls, named as the dialog's design names them (objectName too).
    QGroupBox* fraPrinter = nullptr;
    QLabel* lblPrinter = nullptr;
    QGroupBox* fraSelect = nullptr;
    QRadioButton* optTutto = nullptr;
    QRadioButton* optComm = nullptr;
    QRadioButton* optCover = nullptr;
    QToolButton* cmdStampa = nullptr;
    QToolButton* cmdAnnulla = nullptr;
    QToolButton* cmdImp = nullptr;
};

} // namespace melodora
