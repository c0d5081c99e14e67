#pragma once

#include "cli/Cli.h"
#include "platform/Periferiche.h"

#include <QStringList>
#include <QTextStream>

namespace melodora::test {

/**
 * Runs the command-line companion in this process on @p archivio, as
 * `melodora-cli --archive ARCHIVIO ARGOMENTI...` would; @p out and @p err receive what it
 * writes on standard output and standard error; it prints with the services this process
 * links. Returns its exit status.
 */
inline int eseguiCli(
    const QString& archivio, const QStringList& argomenti, QString& out, QString& err)
{
    out.clear();
    err.clear();
    QTextStream flussoOut(&out);
    QTextStream flussoErr(&err);
    const int stato = cli::esegui(QStringList { QStringLiteral("--archive"), archivio } + argomenti,
        { flussoOut, flussoErr }, { &perifericheReali(), {} });
    flussoOut.flush();
    flussoErr.flush();
    return stato;
}

} // namespace melodora::test
