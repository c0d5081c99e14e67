#pragma once

#include <QByteArray>
#include <QString>

namespace melodora {

/** Where a file written whole goes, and what may stand there already. */
struct Destinazione {
    QString percorso;
    bool sostituisci = false; ///< an existing regular file may be replaced
    /** A file never replaced, whatever name or link reaches it (the archive); may be empty. */
    QString protetto;
};

/**
 * Why nothing may be written at @p d: a symbolic link (never followed nor replaced), the
 * protected file, a folder or other file that is not a regular one, or an existing file
 * without leave to replace it (then *@p esiste becomes true). Empty when it may.
 */
QString controllaDestinazione(const Destinazione& d, bool* esiste = nullptr);

/**
 * A file that appears under its name only once it is whole: it is written to a fresh
 * temporary file in the destination's folder, checked, synced and only then renamed into
 * place. Until then an older file of that name stays as it was; a file abandoned or
 * destroyed before completa() leaves nothing behind.
 */
class FileCompleto {
public:
    FileCompleto() = default;
    ~FileCompleto();
    FileCompleto(const FileCompleto&) = delete;
    FileCompleto& operator=(const FileCompleto&) = delete;

    /** Creates the temporary file, empty and under a name no other file has, in @p cartella. */
    bool crea(const QString& cartella);
    /** The temporary file's path, for the writer; empty before crea(). */
    QString temporaneo() const { return m_temporaneo; }

    /**
     * Checks what the writer left in the temporary file (not empty, starting with
     * @p inizio, with @p fine among its last bytes), syncs it and gives it the name of
     * @p d, checked again just before. Without leave to replace, a name taken meanwhile
     * is not replaced: the call fails and nomeOccupato() is true.
     */
    bool completa(const Destinazione& d, const QByteArray& inizio, const QByteArray& fine);

    /** Removes the temporary file. */
    void scarta();

    /** Why the last step failed, in Italian. */
    QString errore() const { return m_errore; }
    bool nomeOccupato() const { return m_nomeOccupato; }

private:
    bool fallisci(const QString& errore);

    int m_fd = -1;
    QString m_temporaneo;
    QString m_errore;
    bool m_nomeOccupato = false;
};

} // namespace melodora
