#include "cli/Cli.h"
#include "platform/Periferiche.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {
/**
 * Qt's own warnings ("QPainter::begin(): Returned false", "QStandardPaths: XDG_RUNTIME_DIR
 * not set") are English lines about Qt's internals; every failure that matters reaches the
 * user as the command's own Italian message, so only a fatal error is let through.
 */
void messaggioQt(QtMsgType tipo, const QMessageLogContext&, const QString& testo)
{
    if (tipo == QtFatalMsg)
        std::fprintf(stderr, "melodora-cli: errore interno di Qt: %s\n", qPrintable(testo));
}
}

int main(int argc, char* argv[])
{
    qInstallMessageHandler(messaggioQt);
    QStringList argomenti;
    for (int i = 1; i < argc; ++i)
        argomenti.append(QString::fromLocal8Bit(argv[i]));
    // Printing needs fonts and pages, the GUI side of Qt, which comes with the printer from
    // the peripherals' module; the companion shows no window, so it needs no display. The
    // other commands start sooner without either. A module that cannot be loaded is told by
    // the printing command itself, after its own checks of its arguments.
    melodora::cli::ServiziStampa stampa;
    std::unique_ptr<QCoreApplication> app;
    if (melodora::cli::serveGrafica(argomenti)) {
        stampa = melodora::cli::caricaServiziStampa();
        if (stampa.periferiche) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = stampa.periferiche->applicazioneGrafica(argc, argv);
        }
    }
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    argomenti = QCoreApplication::arguments();
    argomenti.removeFirst();
    const int stato = melodora::cli::esegui(argomenti, { out, err }, stampa);
    out.flush();
    err.flush();
    return stato;
}
