#pragma once

#include "platform/ImmaginePremibile.h"
#include "platform/Platform.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace melodora {

/**
 * The about window. It takes the main window's place (the main window closes when it
 * opens it) and, however it is closed, brings back a fresh main window. The creator
 * shows it modeless and decides who releases it (the program sets WA_DeleteOnClose).
 */
class Autore : public QWidget {
    Q_OBJECT
public:
    /** Makes the fresh main window that takes this window's place when it closes. */
    using FabbricaPrincipale = std::function<QWidget*()>;

    Autore(Platform& platform, FabbricaPrincipale principale, QWidget* parent = nullptr);

    /** The maker's support address, put into the composer's recipient. */
    static const QString IndirizzoSupporto;
    /** The maker's web page. */
    static const QString SitoWeb;
    /** The subject the composer starts with. */
    static const QString OggettoEmail;

    void cmdChiudi6_Click();
    void imgEmail_MouseUp();
    void imgWeb_MouseUp();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void creaControlli();
    void Form_Load();
    void Form_Unload();

    Platform& m_platform;
    FabbricaPrincipale m_principale;
    bool m_scaricata = false;

public:
    // Controls, named as the window's design names them (objectName too).
    QLabel* imgAutore = nullptr;
    ImmaginePremibile* imgEmail = nullptr;
    ImmaginePremibile* imgWeb = nullptr;
    QPushButton* cmdChiudi6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
};

} // namespace melodora
