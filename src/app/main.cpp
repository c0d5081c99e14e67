#include "app/PiattaformaReale.h"
#include "main_window/frmSonoria.h"
#include "platform/Controlli.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Melodora"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));

    melodora::PiattaformaReale reale;
    melodora::FiltroF1 f1(reale.platform().guida);
    app.installEventFilter(&f1);

    // The main window deletes itself when closed; the about window may replace it
    // with a fresh one, and the program ends when no window is left.
    auto* finestra = new melodora::frmSonoria(reale.platform());
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->show();
    // The icon is for the window manager and the task bar, not the window's face: given once
    // the window is up, it no longer delays it (converting it for the X server is costly).
    QTimer::singleShot(0, &app,
        [] { QApplication::setWindowIcon(QIcon(melodora::immagine(QStringLiteral("melodora")))); });
    return app.exec();
}
