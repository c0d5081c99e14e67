#pragma once

#include "cli/Cli.h"

#include <QMap>

#include <memory>

namespace melodora {
class ArchivioSchede;
class Scheda;
class VociSchede;
struct ProblemaValore;
}

namespace melodora::cli {

/** What every command receives: its own arguments and the archive's path. */
struct Contesto {
    QStringList argomenti; ///< the words after the command's name, options removed
    QString archivio; ///< the archive's path
    QMap<QString, QString> opzioni; ///< the --options given, each with its value (empty for flags)
    Uscita uscita;
    ServiziStampa stampa; ///< for the printing commands
};

/** One command of the companion. */
struct Comando {
    const char* nome;
    const char* sintassi; ///< shown by --help
    const char* descrizione;
    const char* esempio;
    int (*esegui)(Contesto& c);
};

/** Opens the command's archive for reading (never creating it); on failure says why on standard
 * error and gives null. */
std::unique_ptr<ArchivioSchede> apriArchivio(Contesto& c);

/** False, with a message on standard error, when an option outside @p ammesse was given. */
bool opzioniAmmesse(Contesto& c, const QStringList& ammesse);

/**
 * Card number N, the command's one argument, checked against the archive's whole cards, and
 * the card itself; false, with a message on standard error, when it names no card or cannot
 * be read.
 */
bool leggiSchedaRichiesta(Contesto& c, const ArchivioSchede& archivio, qint64& n, Scheda& scheda);

/**
 * The whole of the regular file @p percorso into @p dati; false, with the reason in Italian on
 * standard error, for a missing file, a folder, a FIFO (never waited on) or a read error.
 */
bool leggiFileDati(Contesto& c, const QString& percorso, QByteArray& dati);

/**
 * @p testo with the control characters that would act on a terminal shown as \xNN; a CR stays
 * before a LF, the one that follows @p testo when @p seguitoDaACapo. What a command writes is
 * made harmless so; the list commands make each line so as they write it.
 */
QString perTerminale(const QString& testo, bool seguitoDaACapo = false);

/**
 * Writes each entry and a line break as perTerminale(entry, true) would, in UTF-8, straight
 * from the entries' bytes: a list of every card is never decoded into texts.
 */
void scriviVoci(QTextStream& out, const VociSchede& voci);

/** Lists the import's problems on standard error, each after @p prefisso, at most 50. */
void elencaProblemi(QTextStream& err, const QList<ProblemaValore>& problemi, const char* prefisso);

/** The commands, in the order --help lists them. */
const QList<Comando>& comandi();

// Archive commands.
int comandoCount(Contesto& c);
int comandoShow(Contesto& c);
int comandoExport(Contesto& c);
int comandoImport(Contesto& c);
int comandoDelete(Contesto& c);
int comandoUpdate(Contesto& c);
int comandoCheck(Contesto& c);

// Audio files.
int comandoImportAudio(Contesto& c);

// List commands.
int comandoSearch(Contesto& c);
int comandoAudio(Contesto& c);

// Printing commands.
int comandoPrint(Contesto& c);
int comandoPrintList(Contesto& c);

// Commands on the words of the cards.
int comandoSongbook(Contesto& c);
int comandoDuplicates(Contesto& c);

} // namespace melodora::cli
