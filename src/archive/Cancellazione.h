#pragma once

#include "archive/Esito.h"

#include <QString>

namespace melodora {

class FileOps;

/** How a deletion ended. */
enum class StatoCancellazione {
    Eseguita, ///< the archive is the shortened copy, on disk
    Inesistente, ///< the archive holds no card with that number: nothing was changed
    Fallita, ///< a file operation failed before the archive was replaced: nothing was changed
    NonSincronizzata, ///< the archive was replaced, but its folder could not be synced
};

/** The outcome of eliminaScheda. */
struct RisultatoCancellazione {
    StatoCancellazione stato = StatoCancellazione::Fallita;
    /** The card count the deletion found (the length over 2830, not rounded); 0 if unknown. */
    double schede = 0.0;
    /** The OS's error text, for Fallita and NonSincronizzata. */
    Esito esito;
};

/** Schede.tmp in the folder of the archive at @p archivio. */
QString percorsoTemporaneo(const QString& archivio);

/**
 * Removes card @p n from the archive at @p archivio and closes the gap. The shortened
 * archive is built in a fresh @p temporaneo (whatever was there before is removed first),
 * synced, and renamed over the archive, and then the folder is synced: at every instant
 * the archive on disk is the old one or the new one, whole. A number beyond the archive's
 * end is refused and nothing changes. Bytes after the last whole card (a file damaged
 * elsewhere) are kept. @p temporaneo must be in the archive's folder.
 */
RisultatoCancellazione eliminaScheda(
    const QString& archivio, const QString& temporaneo, qint64 n, FileOps& ops);

} // namespace melodora
