#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QList>
#include <QString>

#include <functional>

namespace melodora {

class FileOps;

/** What a check of the archive found. */
struct RisultatoControllo {
    /** Audio path of a card that names no existing file. */
    struct AudioMancante {
        qint64 scheda = 0;
        QString percorso;
    };
    /** Bytes of one field that Windows-1252 leaves undefined. */
    struct ByteIndefiniti {
        qint64 scheda = 0;
        Campo campo = Campo::Brano;
        int quanti = 0;
        unsigned char primo = 0; ///< the first such byte
        qint64 offsetPrimo = 0; ///< its offset in the file
    };

    qint64 lunghezza = 0; ///< the file's length in bytes
    qint64 schede = 0; ///< whole records
    qint64 byteInCoda = 0; ///< bytes after the last whole record
    QList<qint64> titoliVuoti; ///< cards whose title holds only blanks
    QList<AudioMancante> audioMancanti;
    QList<ByteIndefiniti> byteIndefiniti;

    /** True when the check found nothing to report. */
    bool integro() const
    {
        return byteInCoda == 0 && titoliVuoti.isEmpty() && audioMancanti.isEmpty()
            && byteIndefiniti.isEmpty();
    }
};

/** Whether an audio path names an existing file; the default asks the file system. */
using EsisteFile = std::function<bool(const QString& percorso)>;

/** True for an absolute path that names an existing regular file (or a link to one). */
bool fileAudioEsiste(const QString& percorso);

/**
 * Checks the archive at @p percorso without changing it: its length against whole
 * records, the cards' titles, their audio paths and the bytes Windows-1252 does not
 * define. The file is read in large blocks. A missing file is a failure, not an empty
 * archive, so that a mistyped path is not reported sound (and is not created).
 */
Esito controllaArchivio(const QString& percorso, FileOps& ops, RisultatoControllo& risultato,
    const EsisteFile& esiste = fileAudioEsiste);

} // namespace melodora
