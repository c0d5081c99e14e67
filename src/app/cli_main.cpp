#include "cli/Cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList argomenti = QCoreApplication::arguments();
    argomenti.removeFirst();
    const int stato = melodora::cli::esegui(argomenti, { out, err });
    out.flush();
    err.flush();
    return stato;
}
