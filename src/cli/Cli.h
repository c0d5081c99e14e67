#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace melodora::cli {

/** Where a command writes: standard output and standard error. */
struct Uscita {
    QTextStream& out;
    QTextStream& err;
};

/** The command-line companion: parses the arguments and runs one command. */
int esegui(const QStringList& argomenti, Uscita uscita);

/** Whether the command @p argomenti name needs the GUI side of Qt (a QGuiApplication). */
bool serveGrafica(const QStringList& argomenti);

/** The archive the command works on: --archive FILE, else the program's own (AppFilePath). */
QString percorsoArchivio(const QString& opzione);

} // namespace melodora::cli
