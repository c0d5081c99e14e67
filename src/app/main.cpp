#include "app/PiattaformaReale.h"
#include "main_window/frmSonoria.h"
#include "platform/Controlli.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Melodora"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    QApplication::setWindowIcon(QIcon(melodora::immagine(QStringLiteral("melodora"))));

    melodora::PiattaformaReale reale;
    melodora::FiltroF1 f1(reale.platform().guida);
    app.installEventFilter(&f1);

    // The main window deletes itself when closed; the about window may replace it
    // with a fresh one, and the program ends when no window is left.
    auto* finestra = new melodora::frmSonoria(reale.platform());
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->show();
    return app.exec();
}
