#pragma once

#include "archive/Scheda.h"
#include "lists/Elenchi.h"
#include "platform/Platform.h"

#include <QDialog>

#include <array>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace melodora {

class CasellaElenco;
/**
 * The search window: finds the cards whose title, artist, album or genre begins with the
 * typed letters, or whose lyrics hold the typed words, lists them in alphabetical order, and hands
 * the double-clicked card to the main window, then closes. Shown modally by the main window.
 */
class frmFindInviata : public QDialog {
    Q_OBJECT
public:
    /** @p mostraScheda is the main window's MostraScheda: it shows card n. */
    frmFindInviata(Platform& platform, std::function<void(qint64, const Scheda&)> mostraScheda,
        QWidget* parent = nullptr);
    ~frmFindInviata() override;

    // Handlers, named after the events they answer.
    void cmdMittente_Click();
    void cmdOggetto_Click();
    void cmdDestina_Click();
    void cmdData_Click();
    void cmdTesto_Click();
    void txtFindQual_KeyPress(int& KeyAscii);
    void txtFindCit_KeyPress(int& KeyAscii);
    void txtFindCog_KeyPress(int& KeyAscii);
    void txtFindAzi_KeyPress(int& KeyAscii);
    void txtFindTesto_KeyPress(int& KeyAscii);
    void cmdIndietro_Click();
    void lstTrovati_Click();
    void lstTrovati_DblClick();
    void lblFaiClic_DblClick();
    void txtCerca_KeyPress(int& KeyAscii);
    void txtCerca_Change();
    void lstTrovati_MouseMove(QPoint punto);
    void cmdStampa_Click();
    void cmdGuida_Click();
    void cmdChiudi_Click();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaControlli();
    void Form_Load();
    /** The search of one criteria row. */
    void cerca(CampoRicerca campo);
    /** The search by the words of the lyrics. */
    void cercaTesto();
    /** Fills the results panel with @p voci under the criterion @p criterio. */
    void mostraRisultati(
        const QStringList& voci, const QString& criterio, const QString& istruzione);
    void ApriSchedaBrano();
    void ApriSchedaArtista();
    void ApriSchedaAlbum();
    void ApriSchedaGenere();
    void apriScheda(CampoRicerca formato);
    QLineEdit* casellaDi(CampoRicerca campo) const;

    Platform& m_platform;
    std::function<void(qint64, const Scheda&)> m_mostraScheda;

public:
    // Controls, named as the window's design names them (objectName too).
    QFrame* picOpzioni = nullptr;
    QLabel* lblInfo = nullptr;
    QGroupBox* fraMittente = nullptr;
    QGroupBox* fraOggetto = nullptr;
    QGroupBox* fraDestina = nullptr;
    QGroupBox* fraData = nullptr;
    QLineEdit* txtFindQual = nullptr;
    QLineEdit* txtFindCit = nullptr;
    QLineEdit* txtFindCog = nullptr;
    QLineEdit* txtFindAzi = nullptr;
    QToolButton* cmdMittente = nullptr;
    QToolButton* cmdOggetto = nullptr;
    QToolButton* cmdDestina = nullptr;
    QToolButton* cmdData = nullptr;
    QGroupBox* fraTesto = nullptr;
    QLineEdit* txtFindTesto = nullptr;
    QToolButton* cmdTesto = nullptr;
    QFrame* picLista = nullptr;
    QLabel* lblCriterio = nullptr;
    QLabel* lblCerca = nullptr;
    QLineEdit* txtCerca = nullptr;
    CasellaElenco* lstTrovati = nullptr;
    QLabel* lblFaiClic = nullptr;
    QToolButton* cmdIndietro = nullptr;
    QToolButton* cmdStampa = nullptr;
    QLabel* lblTrovati = nullptr;
    QToolButton* cmdGuida = nullptr;
    QToolButton* cmdChiudi = nullptr;
};

} // namespace melodora
