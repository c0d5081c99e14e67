#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace melodora {

class FileOps;

/** The archive's file name, next to the program. */
inline constexpr const char* kNomeArchivio = "Sonoria.sng";
/** The deletion's temporary copy, next to the archive. */
inline constexpr const char* kNomeTemporaneo = "Schede.tmp";

/**
 * The archive file opened for record access. Opening a missing file creates it empty.
 * The handle is closed when the object goes: every user action opens, works and closes.
 */
class ArchivioSchede {
public:
    ArchivioSchede(const ArchivioSchede&) = delete;
    ArchivioSchede& operator=(const ArchivioSchede&) = delete;
    ArchivioSchede(ArchivioSchede&& altro) noexcept;
    ArchivioSchede& operator=(ArchivioSchede&&) = delete;
    ~ArchivioSchede();

    /**
     * Opens (and creates, when missing) the archive at @p percorso for reading and
     * writing; a file that can only be read is opened read-only. Null on failure,
     * with the reason in @p errore.
     */
    static std::unique_ptr<ArchivioSchede> apri(
        const QString& percorso, FileOps& ops, Esito* errore = nullptr);

    /**
     * Opens the archive at @p percorso for reading only; a missing file is an error, not
     * an empty archive, so that a mistyped path is not taken for one.
     */
    static std::unique_ptr<ArchivioSchede> apriInLettura(
        const QString& percorso, FileOps& ops, Esito* errore = nullptr);

    const QString& percorso() const { return m_percorso; }

    /** The file's length in bytes, or -1 when it cannot be measured. */
    qint64 lunghezza() const;

    /** The length divided by 2830, not rounded: a damaged file gives a fraction. */
    double NumeroSchede() const;

    /** Whole records in the file (a trailing part record is not counted). */
    qint64 schedeIntere() const;

    /**
     * Reads card @p n (from 1). Bytes past the end of the file, for a trailing part
     * record, read as blanks.
     */
    Esito LeggiScheda(qint64 n, Scheda& scheda) const;

    /**
     * Writes card @p n at its offset; n = count + 1 appends. The write is synced to
     * disk before this returns (and the folder too, for the first record of an empty
     * file). A failed append leaves the file at its old length.
     */
    Esito ScriviScheda(qint64 n, const Scheda& scheda);

    /**
     * Calls @p visita for every whole record in card order, reading the file in large
     * blocks; the record pointer is valid only during the call. Stops early when
     * @p visita returns false.
     */
    Esito perOgniScheda(const std::function<bool(qint64 n, const char* record)>& visita) const;

    /** Closes the file; the object is then unusable. */
    Esito chiudi();

private:
    ArchivioSchede(QString percorso, FileOps& ops, int fd, bool soloLettura);
    /** Writes @p dati at @p offset and syncs; what a failure added past the old end is cut. */
    Esito scriviInCoda(qint64 offset, const QByteArray& dati);

    QString m_percorso;
    FileOps* m_ops;
    int m_fd;
    bool m_soloLettura;
};

/** Rounds a real card number to the nearest whole number, halves to the even one. */
qint64 arrotondaNumero(double x);

/**
 * Syncs the folder that holds @p percorso, so that a file created in it or renamed into
 * it is still there after a crash.
 */
Esito sincronizzaCartella(const QString& percorso, FileOps& ops);

} // namespace melodora
