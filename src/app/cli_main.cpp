#include "cli/Cli.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
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
