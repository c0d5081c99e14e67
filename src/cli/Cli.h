#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace melodora {
class Periferiche;
}

namespace melodora::cli {

/** Where a command writes: standard output and standard error. */
struct Uscita {
    QTextStream& out;
    QTextStream& err;
};

/** What the printing commands print with: the peripherals' services, or why they are missing. */
struct ServiziStampa {
    Periferiche* periferiche = nullptr;
    QString errore; ///< one line per place the module was looked for
};

/**
 * The command-line companion: parses the arguments and runs one command. The printing
 * commands print through @p stampa, in a process that has the GUI side of Qt.
 */
int esegui(const QStringList& argomenti, Uscita uscita, const ServiziStampa& stampa = {});

/** Whether the command @p argomenti name needs the GUI side of Qt (a QGuiApplication). */
bool serveGrafica(const QStringList& argomenti);

/** The peripherals' module, loaded from beside this program; before any application exists. */
ServiziStampa caricaServiziStampa();

/** The archive the command works on: --archive FILE, else the program's own (AppFilePath). */
QString percorsoArchivio(const QString& opzione);

} // namespace melodora::cli
