#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>

namespace melodora {

class FileOps;
class LettoreTag;
struct TagAudio;

/** True for the files an audio import takes, by extension in any case: mp3 wav flac ogg m4a. */
bool fileAudio(const QString& percorso);

/** What a list of paths given to an audio import names. */
struct FileTrovati {
    QStringList audio; ///< absolute paths: files given, then each folder's files sorted by path
    QStringList inesistenti; ///< paths that name nothing
    QStringList nonAudio; ///< files that are not audio files
};

/**
 * The audio files named by @p percorsi: an audio file as given, a folder's audio files
 * (and its subfolders' with @p ricorsiva; hidden files and links to folders are left out).
 */
FileTrovati trovaFileAudio(const QStringList& percorsi, bool ricorsiva);

/** What one file's import could not keep as the file had it. */
struct ProblemaAudio {
    enum class Tipo {
        Tagliato, ///< longer than its field: cut
        Sostituito, ///< characters Windows-1252 lacks became '?'
        PercorsoTroppoLungo, ///< the path does not fit its field: no card
        PercorsoNonArchiviabile, ///< the path has a character Windows-1252 lacks: no card
        Illeggibile, ///< the file's tags could not be read: no card
    };
    QString file;
    Campo campo = Campo::Brano;
    Tipo tipo = Tipo::Tagliato;
    qsizetype lunghezza = 0; ///< characters of the value (Tagliato, PercorsoTroppoLungo)
    QString carattere; ///< the first character the set lacks (Sostituito, PercorsoNonArchiviabile)
    QString errore; ///< why the file could not be read (Illeggibile)

    /** The file gets no card. */
    bool rifiutato() const { return tipo >= Tipo::PercorsoTroppoLungo; }
};

/** The problem in one Italian sentence that names the file and the field. */
QString descriviProblemaAudio(const ProblemaAudio& p);

/**
 * The card of the audio file at the absolute path @p percorso from its tags, stored as the
 * save button stores values: the title is the file's name without its extension when the
 * tag has none; artist, album, genre, year and lyrics as the tags give them (the lyrics'
 * line breaks as CR LF; line breaks and tabs in the other fields as blanks); the path in
 * the audio field. Too long values are cut and characters Windows-1252 lacks become '?',
 * each listed in @p problemi. A path that its field cannot hold exactly refuses the file:
 * false, listed, and @p scheda holds the other fields with an empty path.
 */
bool schedaDaTag(
    const QString& percorso, const TagAudio& tag, Scheda& scheda, QList<ProblemaAudio>& problemi);

/** The audio paths the archive's cards already name; a missing archive names none. */
Esito percorsiInArchivio(const QString& archivio, FileOps& ops, QSet<QString>& percorsi);

/** The outcome of an audio import. */
struct ImportazioneAudio {
    QList<Scheda> schede; ///< the cards added (or that would be added), in the files' order
    qint64 primo = 0; ///< the first added card's number; 0 when none was written
    qint64 duplicati = 0; ///< files skipped: the archive, or an earlier file, has their path
    qint64 rifiutati = 0; ///< files that got no card
    QList<ProblemaAudio> problemi;
    bool annullata = false; ///< the user stopped it: nothing was written
};

/**
 * Called before each file with the files done, their total and the file; false stops the
 * import before anything is written.
 */
using AvanzamentoAudio = std::function<bool(qint64 fatti, qint64 totale, const QString& file)>;

/**
 * One card per file of @p file (absolute paths, as trovaFileAudio gives them) appended to
 * the archive at @p archivio, all or nothing, skipping paths the archive already holds.
 * With @p soloProva nothing is written: @p esito lists what would be added.
 */
Esito importaAudio(const QStringList& file, const QString& archivio, FileOps& ops,
    const LettoreTag& lettore, bool soloProva, ImportazioneAudio& esito,
    const AvanzamentoAudio& avanzamento = {});

} // namespace melodora
