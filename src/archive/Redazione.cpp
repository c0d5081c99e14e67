#include "archive/Redazione.h"

#include "archive/Archivio.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
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
        void apri(int fd)
        {
            chiudi();
            m_fd = fd;
        }
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

    // Through user memory, where the system cannot copy between the two files itself.
    Esito copiaABlocchi(FileOps& ops, int in, qint64 da, int out, qint64 a, qint64 quanti)
    {
        std::vector<char> blocco(static_cast<size_t>(std::min(kBlocco, quanti)));
        while (quanti > 0) {
            const qint64 pezzo = std::min(static_cast<qint64>(blocco.size()), quanti);
            const qint64 r = ops.leggiTutto(in, blocco.data(), pezzo, da);
            if (r < 0)
                return Esito::daErrno(QStringLiteral("lettura"));
            if (r == 0)
                return accorciato();
            if (!ops.scriviTutto(out, blocco.data(), r, a))
                return Esito::daErrno(QStringLiteral("scrittura"));
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

    /** The file a path names: the target of a symbolic link, followed to its end. */
    QString seguiCollegamento(const QString& percorso)
    {
        QFileInfo info(percorso);
        for (int salti = 0; info.isSymLink() && salti < 40; ++salti)
            info.setFile(info.symLinkTarget());
        return info.absoluteFilePath();
    }

    Esito archivioDanneggiato(qint64 lunghezza)
    {
        return Esito::fallito(Motivo::Danneggiato,
            QStringLiteral("la lunghezza dell'archivio (%1 byte) non è un multiplo di %2: "
                           "archivio danneggiato")
                .arg(lunghezza)
                .arg(kLunghezzaScheda));
    }

    Esito schedaInesistente(qint64 n, qint64 intere)
    {
        return Esito::fallito(Motivo::Inesistente,
            QStringLiteral("la scheda %1 non esiste (l'archivio contiene %2 %3)")
                .arg(n)
                .arg(intere)
                .arg(intere == 1 ? QStringLiteral("scheda") : QStringLiteral("schede")));
    }

    Esito schedaCambiata(qint64 n)
    {
        return Esito::fallito(Motivo::Cambiata,
            QStringLiteral("la scheda %1 è stata modificata da un altro programma").arg(n));
    }

    /** Card @p n as the record on disk, or Inesistente past the whole cards. */
    Esito leggiIntera(const ArchivioSchede& archivio, qint64 n, Scheda& scheda)
    {
        // An archive that cannot be measured is a failure, not a short archive.
        const qint64 lunghezza = archivio.lunghezza();
        if (lunghezza < 0)
            return Esito::daErrno(archivio.percorso());
        const qint64 intere = lunghezza / kLunghezzaScheda;
        if (n < 1 || n > intere)
            return schedaInesistente(n, intere);
        return archivio.LeggiScheda(n, scheda);
    }

}

/** The exclusive lock on the archive's folder, released when it goes. */
class Redazione::Blocco {
public:
    explicit Blocco(FileOps& ops)
        : cartella(ops, -1)
    {
    }
    Descrittore cartella;
};

QString percorsoTemporaneo(const QString& archivio)
{
    return QFileInfo(archivio).absoluteDir().filePath(QString::fromLatin1(kNomeTemporaneo));
}

Redazione::Redazione(const QString& archivio, FileOps& ops)
    : Redazione(archivio, ops, Opzioni {})
{
}

Redazione::Redazione(const QString& archivio, FileOps& ops, Opzioni opzioni)
    : m_percorso(seguiCollegamento(archivio))
    , m_ops(ops)
    , m_opzioni(opzioni)
{
}

Esito Redazione::blocca(Blocco& blocco) const
{
    if (m_opzioni.senzaBlocco)
        return {};
    // The folder, not the archive: the deletion's rename gives the archive a new inode,
    // and a lock on the old one would let a second writer in.
    const QString cartella = QFileInfo(m_percorso).absolutePath();
    blocco.cartella.apri(
        m_ops.open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY, 0));
    if (!blocco.cartella.aperto())
        return Esito::daErrno(cartella);
    const auto limite = std::chrono::steady_clock::now() + m_opzioni.attesa;
    for (;;) {
        if (m_ops.flock(blocco.cartella.fd(), LOCK_EX | LOCK_NB) == 0)
            return {};
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Esito::daErrno(QStringLiteral("blocco di ") + cartella);
        if (std::chrono::steady_clock::now() >= limite)
            return Esito::fallito(Motivo::Occupato,
                QStringLiteral("l'archivio %1 è in uso da un altro programma").arg(m_percorso));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

/** Opens the archive (creating it when missing) and measures it. */
Esito Redazione::apriEMisura(std::unique_ptr<ArchivioSchede>& archivio, qint64& lunghezza) const
{
    Esito errore;
    archivio = ArchivioSchede::apri(m_percorso, m_ops, &errore);
    if (!archivio)
        return errore;
    lunghezza = archivio->lunghezza();
    if (lunghezza < 0)
        return Esito::daErrno(m_percorso);
    return {};
}

Esito Redazione::naviga(Verso verso, qint64 corrente, qint64& n, Scheda& scheda) const
{
    std::unique_ptr<ArchivioSchede> archivio;
    qint64 lunghezza = 0;
    if (Esito e = apriEMisura(archivio, lunghezza); !e)
        return e;
    const double c = static_cast<double>(lunghezza) / kLunghezzaScheda;
    if (c <= 0) {
        n = 0;
        return {};
    }
    // A whole number compared with the real count; a number taken from the count is
    // rounded (halves to even) before the record is read.
    qint64 voluta = 1;
    switch (verso) {
    case Verso::Prima:
        break;
    case Verso::Successiva:
    case Verso::Precedente:
        voluta = std::max<qint64>(corrente + (verso == Verso::Successiva ? 1 : -1), 1);
        if (static_cast<double>(voluta) > c)
            voluta = arrotondaNumero(c);
        break;
    case Verso::Ultima:
        voluta = arrotondaNumero(c);
        break;
    }
    voluta = std::max<qint64>(voluta, 1);
    Scheda letta;
    if (Esito e = archivio->LeggiScheda(voluta, letta); !e)
        return e;
    n = voluta;
    scheda = letta;
    return {};
}

Esito Redazione::leggi(qint64 n, Scheda& scheda) const
{
    Esito errore;
    auto archivio = ArchivioSchede::apriInLettura(m_percorso, m_ops, &errore);
    if (!archivio)
        return errore;
    return leggiIntera(*archivio, n, scheda);
}

Esito Redazione::aggiungi(const Scheda& scheda, qint64& n)
{
    Blocco blocco(m_ops);
    if (Esito e = blocca(blocco); !e)
        return e;
    std::unique_ptr<ArchivioSchede> archivio;
    qint64 lunghezza = 0;
    if (Esito e = apriEMisura(archivio, lunghezza); !e)
        return e;
    // Appending after a part record would leave a gap that no card owns.
    if (lunghezza % kLunghezzaScheda != 0)
        return archivioDanneggiato(lunghezza);
    const qint64 nuova = lunghezza / kLunghezzaScheda + 1;
    if (Esito e = archivio->ScriviScheda(nuova, scheda); !e)
        return e;
    n = nuova;
    return {};
}

Esito Redazione::sostituisci(qint64 n, const std::optional<Scheda>& vista, const Scheda& nuova)
{
    Blocco blocco(m_ops);
    if (Esito e = blocca(blocco); !e)
        return e;
    Esito errore;
    auto archivio = ArchivioSchede::apri(m_percorso, m_ops, &errore);
    if (!archivio)
        return errore;
    Scheda suDisco;
    if (Esito e = leggiIntera(*archivio, n, suDisco); !e)
        return e;
    if (vista && suDisco != *vista)
        return schedaCambiata(n);
    Esito esito = archivio->ScriviScheda(n, nuova);
    // A failure reported after part of the record went out: put the old one back, so that
    // the card on disk is still the one the caller holds and a new try is not refused.
    if (!esito)
        (void)archivio->ScriviScheda(n, suDisco);
    return esito;
}

namespace {
    /**
     * Replaces the archive at @p archivio (open as @p in, described by @p st; -1 and null
     * when it does not exist yet) by a copy without bytes [@p inizio, @p dopo) and with
     * @p aggiunta at its end. The copy is built in a fresh Schede.tmp with the archive's
     * permissions, synced, and renamed over the archive; then the folder is synced.
     */
    Esito riscrivi(FileOps& ops, const QString& archivio, int in, const struct stat* st,
        qint64 inizio, qint64 dopo, const QByteArray& aggiunta)
    {
        const QString temporaneo = percorsoTemporaneo(archivio);
        const QByteArray nome = QFile::encodeName(temporaneo);
        const qint64 lunghezza = st ? static_cast<qint64>(st->st_size) : 0;
        // What an interrupted writer left behind must not leak into the new archive;
        // O_EXCL also keeps a link planted under that name from being followed.
        if (ops.unlink(nome.constData()) != 0 && errno != ENOENT)
            return Esito::daErrno(temporaneo);
        Descrittore out(
            ops, ops.open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL, st ? 0600 : 0666));
        if (!out.aperto())
            return Esito::daErrno(temporaneo);
        Esito esito;
        if (st) {
            // The user's protection of the archive stays; the owner too, where we may.
            if (ops.fchmod(out.fd(), st->st_mode & 07777) != 0)
                esito = Esito::daErrno(temporaneo);
            else if (ops.fchown(out.fd(), st->st_uid, st->st_gid) != 0 && errno != EPERM)
                esito = Esito::daErrno(temporaneo);
        }
        if (esito)
            esito = copia(ops, in, 0, out.fd(), 0, inizio);
        if (esito)
            esito = copia(ops, in, dopo, out.fd(), inizio, lunghezza - dopo);
        if (esito
            && !ops.scriviTutto(
                out.fd(), aggiunta.constData(), aggiunta.size(), inizio + lunghezza - dopo))
            esito = Esito::daErrno(QStringLiteral("scrittura di ") + temporaneo);
        if (esito && ops.fsync(out.fd()) != 0)
            esito = Esito::daErrno(QStringLiteral("sincronizzazione di ") + temporaneo);
        if (!out.chiudi() && esito)
            esito = Esito::daErrno(QStringLiteral("chiusura di ") + temporaneo);
        const QByteArray nomeArchivio = QFile::encodeName(archivio);
        if (esito && ops.rename(nome.constData(), nomeArchivio.constData()) != 0)
            esito = Esito::daErrno(temporaneo + QStringLiteral(" → ") + archivio);
        if (!esito) {
            ops.unlink(nome.constData()); // nothing replaced: only our own copy goes
            return esito;
        }
        // From here on the archive is the new one; the folder's sync makes the rename
        // survive a crash.
        if (Esito e = sincronizzaCartella(archivio, ops); !e)
            return Esito::fallito(Motivo::NonSincronizzata, e.errore);
        return {};
    }
}

Esito Redazione::elimina(qint64 n, const std::optional<Scheda>& vista, qint64& rimaste)
{
    Blocco blocco(m_ops);
    if (Esito e = blocca(blocco); !e)
        return e;
    const QByteArray nome = QFile::encodeName(m_percorso);
    // Opened for writing although only read, so that an archive the user protected is
    // reported, not silently replaced.
    Descrittore in(m_ops, m_ops.open(nome.constData(), O_RDWR, 0));
    if (!in.aperto())
        return errno == ENOENT ? schedaInesistente(n, 0) : Esito::daErrno(m_percorso);
    struct stat st { };
    if (m_ops.fstat(in.fd(), &st) != 0)
        return Esito::daErrno(m_percorso);
    const qint64 intere = static_cast<qint64>(st.st_size) / kLunghezzaScheda;
    // Only a whole card that is there now, and is the one the caller saw, is removed.
    if (n < 1 || n > intere)
        return schedaInesistente(n, intere);
    if (vista) {
        char record[kLunghezzaScheda];
        const qint64 letti
            = m_ops.leggiTutto(in.fd(), record, kLunghezzaScheda, (n - 1) * kLunghezzaScheda);
        if (letti < 0)
            return Esito::daErrno(QStringLiteral("lettura"));
        if (letti < kLunghezzaScheda)
            return schedaInesistente(n, intere - 1);
        if (Scheda::daByte(record) != *vista)
            return schedaCambiata(n);
    }
    const qint64 inizio = (n - 1) * kLunghezzaScheda;
    Esito esito = riscrivi(m_ops, m_percorso, in.fd(), &st, inizio, inizio + kLunghezzaScheda, {});
    if (esito || esito.motivo == Motivo::NonSincronizzata)
        rimaste = intere - 1;
    return esito;
}

Esito Redazione::aggiungiSchede(QList<Scheda> schede, qint64& primo, const Scelta& scegli)
{
    Blocco blocco(m_ops);
    if (Esito e = blocca(blocco); !e)
        return e;
    if (scegli) {
        if (Esito e = scegli(schede); !e)
            return e;
    }
    const QByteArray nome = QFile::encodeName(m_percorso);
    Descrittore in(m_ops, m_ops.open(nome.constData(), O_RDWR, 0));
    if (!in.aperto() && errno != ENOENT)
        return Esito::daErrno(m_percorso);
    struct stat st { };
    if (in.aperto() && m_ops.fstat(in.fd(), &st) != 0)
        return Esito::daErrno(m_percorso);
    const qint64 lunghezza = in.aperto() ? static_cast<qint64>(st.st_size) : 0;
    if (lunghezza % kLunghezzaScheda != 0)
        return archivioDanneggiato(lunghezza);
    primo = lunghezza / kLunghezzaScheda + 1;
    if (schede.isEmpty())
        return {};
    QByteArray dati;
    dati.reserve(schede.size() * kLunghezzaScheda);
    for (const Scheda& s : schede)
        dati.append(s.inByte());
    return riscrivi(
        m_ops, m_percorso, in.fd(), in.aperto() ? &st : nullptr, lunghezza, lunghezza, dati);
}

} // namespace melodora
