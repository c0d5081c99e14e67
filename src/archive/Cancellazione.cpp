#include "archive/Cancellazione.h"

#include "archive/Archivio.h"
#include "archive/Scheda.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <vector>

namespace melodora {

namespace {
    // Bytes per copy call: large enough to run at the disk's speed, small enough that
    // one call does not hold the process for long.
    constexpr qint64 kBlocco = qint64(8) << 20;

    /** A file descriptor closed through the FileOps that opened it. */
    class Descrittore {
    public:
        Descrittore(FileOps& ops, int fd)
            : m_ops(ops)
            , m_fd(fd)
        {
        }
        Descrittore(const Descrittore&) = delete;
        Descrittore& operator=(const Descrittore&) = delete;
        ~Descrittore() { chiudi(); }
        int fd() const { return m_fd; }
        bool aperto() const { return m_fd >= 0; }
        /** Closes now; false (with errno set) when the system reports an error. */
        bool chiudi()
        {
            if (m_fd < 0)
                return true;
            const int fd = m_fd;
            m_fd = -1; // closed even when close() fails: Linux releases the descriptor anyway
            return m_ops.close(fd) == 0;
        }

    private:
        FileOps& m_ops;
        int m_fd;
    };

    Esito accorciato()
    {
        return Esito::fallito(QStringLiteral("l'archivio si è accorciato durante la copia"));
    }

    Esito scriviTutto(FileOps& ops, int fd, const char* dati, qint64 quanti, qint64 offset)
    {
        qint64 scritti = 0;
        while (scritti < quanti) {
            const ssize_t w = ops.pwrite(fd, dati + scritti, static_cast<size_t>(quanti - scritti),
                static_cast<off_t>(offset + scritti));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                return Esito::daErrno(QStringLiteral("scrittura"));
            }
            if (w == 0) {
                errno = ENOSPC;
                return Esito::daErrno(QStringLiteral("scrittura"));
            }
            scritti += w;
        }
        return {};
    }

    // Through user memory, where the system cannot copy between the two files itself.
    Esito copiaABlocchi(FileOps& ops, int in, qint64 da, int out, qint64 a, qint64 quanti)
    {
        std::vector<char> blocco(static_cast<size_t>(std::min(kBlocco, quanti)));
        while (quanti > 0) {
            const qint64 pezzo = std::min(static_cast<qint64>(blocco.size()), quanti);
            const ssize_t r
                = ops.pread(in, blocco.data(), static_cast<size_t>(pezzo), static_cast<off_t>(da));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                return Esito::daErrno(QStringLiteral("lettura"));
            }
            if (r == 0)
                return accorciato();
            if (Esito e = scriviTutto(ops, out, blocco.data(), r, a); !e)
                return e;
            da += r;
            a += r;
            quanti -= r;
        }
        return {};
    }

    bool copiaNonSupportata(int e)
    {
        return e == ENOSYS || e == EXDEV || e == EINVAL || e == EOPNOTSUPP;
    }

    /** Copies @p quanti bytes from offset @p da of @p in to offset @p a of @p out. */
    Esito copia(FileOps& ops, int in, qint64 da, int out, qint64 a, qint64 quanti)
    {
        off_t daIn = static_cast<off_t>(da);
        off_t aOut = static_cast<off_t>(a);
        while (quanti > 0) {
            const ssize_t r = ops.copy_file_range(
                in, &daIn, out, &aOut, static_cast<size_t>(std::min(kBlocco, quanti)));
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                if (copiaNonSupportata(errno))
                    return copiaABlocchi(ops, in, daIn, out, aOut, quanti);
                return Esito::daErrno(QStringLiteral("copia"));
            }
            if (r == 0)
                return accorciato();
            quanti -= r;
        }
        return {};
    }

    /** Builds the archive without card @p n in @p temporaneo, synced and closed. */
    Esito costruisciCopia(
        FileOps& ops, int in, qint64 lunghezza, qint64 n, const QString& temporaneo, mode_t modo)
    {
        const QByteArray nome = QFile::encodeName(temporaneo);
        // What an interrupted deletion left behind must not leak into the new archive;
        // O_EXCL also keeps a link planted under that name from being followed.
        if (ops.unlink(nome.constData()) != 0 && errno != ENOENT)
            return Esito::daErrno(temporaneo);
        Descrittore out(ops, ops.open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL, modo));
        if (!out.aperto())
            return Esito::daErrno(temporaneo);
        const qint64 inizio = (n - 1) * kLunghezzaScheda;
        const qint64 dopo = inizio + kLunghezzaScheda;
        Esito esito = copia(ops, in, 0, out.fd(), 0, inizio);
        if (esito)
            esito = copia(ops, in, dopo, out.fd(), inizio, lunghezza - dopo);
        if (esito && ops.fsync(out.fd()) != 0)
            esito = Esito::daErrno(QStringLiteral("sincronizzazione di ") + temporaneo);
        if (!out.chiudi() && esito)
            esito = Esito::daErrno(QStringLiteral("chiusura di ") + temporaneo);
        if (!esito)
            ops.unlink(nome.constData());
        return esito;
    }
}

QString percorsoTemporaneo(const QString& archivio)
{
    return QFileInfo(archivio).absoluteDir().filePath(QString::fromLatin1(kNomeTemporaneo));
}

RisultatoCancellazione eliminaScheda(
    const QString& archivio, const QString& temporaneo, qint64 n, FileOps& ops)
{
    using enum StatoCancellazione;
    RisultatoCancellazione risultato;
    const QByteArray nome = QFile::encodeName(archivio);
    // Opened for writing although only read, so that an archive the user protected is
    // reported, not silently replaced.
    Descrittore in(ops, ops.open(nome.constData(), O_RDWR | O_CREAT, 0666));
    if (!in.aperto())
        return { Fallita, 0.0, Esito::daErrno(archivio) };
    struct stat st { };
    if (ops.fstat(in.fd(), &st) != 0)
        return { Fallita, 0.0, Esito::daErrno(archivio) };
    const qint64 lunghezza = static_cast<qint64>(st.st_size);
    risultato.schede = static_cast<double>(lunghezza) / kLunghezzaScheda;
    // Only a whole card that is there now is removed: a number past the end (the file was
    // shortened elsewhere since the card was shown) names nothing.
    if (n < 1 || n > lunghezza / kLunghezzaScheda) {
        risultato.stato = Inesistente;
        return risultato;
    }
    if (Esito e = costruisciCopia(ops, in.fd(), lunghezza, n, temporaneo, st.st_mode & 07777); !e)
        return { Fallita, risultato.schede, e };
    in.chiudi(); // only read: its close has nothing to report
    const QByteArray nomeTemporaneo = QFile::encodeName(temporaneo);
    if (ops.rename(nomeTemporaneo.constData(), nome.constData()) != 0) {
        Esito e = Esito::daErrno(archivio);
        ops.unlink(nomeTemporaneo.constData());
        return { Fallita, risultato.schede, e };
    }
    // From here on the archive is the new one; the folder's sync makes the rename survive
    // a crash.
    if (Esito e = sincronizzaCartella(archivio, ops); !e)
        return { NonSincronizzata, risultato.schede, e };
    risultato.stato = Eseguita;
    return risultato;
}

} // namespace melodora
