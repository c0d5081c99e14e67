#pragma once

#include <QString>

namespace melodora {

/** The outcome of an archive operation: success, or the OS's error text. */
struct Esito {
    bool ok = true;
    QString errore;

    static Esito riuscito() { return {}; }
    static Esito fallito(const QString& motivo) { return { false, motivo }; }
    /** A failure carrying strerror(errno) after @p cosa. */
    static Esito daErrno(const QString& cosa);

    explicit operator bool() const { return ok; }
};

} // namespace melodora
