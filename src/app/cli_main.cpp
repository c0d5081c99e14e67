#include "cli/Cli.h"

#include <QGuiApplication>

#include <cstdio>

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
    // Printing needs fonts and pages, the GUI side of Qt; the companion shows no window,
    // so it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList argomenti = QCoreApplication::arguments();
    argomenti.removeFirst();
    const int stato = melodora::cli::esegui(argomenti, { out, err });
    out.flush();
    err.flush();
    return stato;
}
