#pragma once

#include <QString>

namespace melodora {

/** Why an archive operation did not succeed, for callers that answer each case apart. */
enum class Motivo {
    Nessuno, ///< success
    Sistema, ///< a file operation failed; the text carries the OS's reason
    Occupato, ///< another program held the archive for longer than we waited
    Inesistente, ///< the archive holds no card with that number (any more)
    Cambiata, ///< the card on disk is no longer the one the caller read
    Danneggiato, ///< the archive's length is not a whole number of records
    NonSincronizzata, ///< done, but the folder's sync failed: the change may not survive a crash
};

/** The outcome of an archive operation: success, or why not with the OS's error text. */
struct [[nodiscard]] Esito {
    bool ok = true;
    QString errore;
    Motivo motivo = Motivo::Nessuno;

    static Esito riuscito() { return {}; }
    static Esito fallito(const QString& motivo) { return { false, motivo, Motivo::Sistema }; }
    static Esito fallito(Motivo m, const QString& testo) { return { false, testo, m }; }
    /** A failure carrying errno's reason, in Italian (descriviErrno), after @p cosa. */
    static Esito daErrno(const QString& cosa);

    explicit operator bool() const { return ok; }
};

} // namespace melodora
