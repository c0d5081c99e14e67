#include "platform/FileCompleto.h"

#include "platform/ErroreSistema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace melodora {

namespace {
    QString nativo(const QString& percorso) { return QDir::toNativeSeparators(percorso); }

    /** The folder's entries made durable; a failure here loses no data, so it is not fatal. */
    void sincronizzaCartella(const QString& cartella)
    {
        const int fd
            = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    /** Renames @p da to @p a unless @p a exists, atomically where the file system can. */
    int rinominaSenzaSostituire(const QByteArray& da, const QByteArray& a)
    {
        if (::renameat2(AT_FDCWD, da.constData(), AT_FDCWD, a.constData(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS)
            return -1;
        // File systems without that flag still refuse to link over an existing name.
        if (::link(da.constData(), a.constData()) != 0)
            return -1;
        ::unlink(da.constData());
        return 0;
    }
}

QString controllaDestinazione(const Destinazione& d, bool* esiste)
{
    if (esiste)
        *esiste = false;
    const QByteArray nome = QFile::encodeName(d.percorso);
    struct stat st { };
    if (::lstat(nome.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {}; // a missing folder is reported when the file is created
        return nativo(d.percorso) + QStringLiteral(": ") + descriviErrno(errno);
    }
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("%1 è un collegamento simbolico: non viene né seguito né sostituito")
            .arg(nativo(d.percorso));
    struct stat protetto { };
    if (!d.protetto.isEmpty() && ::stat(QFile::encodeName(d.protetto).constData(), &protetto) == 0
        && protetto.st_dev == st.st_dev && protetto.st_ino == st.st_ino)
        return QStringLiteral("%1 è l'archivio delle schede: non viene sovrascritto")
            .arg(nativo(d.percorso));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("%1 è una cartella").arg(nativo(d.percorso));
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("%1 non è un file regolare").arg(nativo(d.percorso));
    if (!d.sostituisci) {
        if (esiste)
            *esiste = true;
        return QStringLiteral("il file %1 esiste già").arg(nativo(d.percorso));
    }
    return {};
}

FileCompleto::~FileCompleto() { scarta(); }

bool FileCompleto::crea(const QString& cartella)
{
    scarta();
    m_errore.clear();
    m_nomeOccupato = false;
    const QDir dir(cartella);
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        const QString nome = dir.filePath(
            QStringLiteral(".melodora-%1.tmp")
                .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
        // O_EXCL: never a file or link someone else put there.
        const int fd = ::open(QFile::encodeName(nome).constData(),
            O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temporaneo = nome;
            return true;
        }
        if (errno != EEXIST)
            return fallisci(QStringLiteral("impossibile creare un file nella cartella %1: %2")
                                .arg(nativo(cartella), descriviErrno(errno)));
    }
    return fallisci(
        QStringLiteral("impossibile creare un file nella cartella %1").arg(nativo(cartella)));
}

bool FileCompleto::completa(const Destinazione& d, const QByteArray& inizio, const QByteArray& fine)
{
    m_nomeOccupato = false;
    if (m_fd < 0)
        return fallisci(QStringLiteral("nessun file da completare"));
    const QByteArray temporaneo = QFile::encodeName(m_temporaneo);
    struct stat nostro { };
    struct stat sulDisco { };
    if (::fstat(m_fd, &nostro) != 0)
        return fallisci(descriviErrno(errno));
    // The writer opens the file by its name: it must still be the one we made.
    if (::lstat(temporaneo.constData(), &sulDisco) != 0 || sulDisco.st_dev != nostro.st_dev
        || sulDisco.st_ino != nostro.st_ino)
        return fallisci(QStringLiteral("il file temporaneo %1 è stato sostituito da un altro "
                                       "programma")
                            .arg(nativo(m_temporaneo)));
    // A full disk can leave a file cut anywhere, even empty: it must end as it should.
    const qint64 lunghezza = nostro.st_size;
    QByteArray testa(inizio.size(), '\0');
    QByteArray coda(std::min<qint64>(lunghezza, fine.size() + 16), '\0');
    const bool integro = lunghezza > 0
        && ::pread(m_fd, testa.data(), testa.size(), 0) == testa.size() && testa == inizio
        && ::pread(m_fd, coda.data(), coda.size(), lunghezza - coda.size()) == coda.size()
        && coda.contains(fine);
    if (!integro) {
        // The writer does not tell why it stopped; a disk left without room is the usual one.
        struct statvfs disco { };
        const bool pieno = ::fstatvfs(m_fd, &disco) == 0
            && static_cast<unsigned long long>(disco.f_bavail) * disco.f_frsize < 64 * 1024;
        return fallisci((lunghezza == 0 ? QStringLiteral("il file scritto è vuoto")
                                        : QStringLiteral("il file scritto è incompleto"))
            + (pieno ? QStringLiteral(": ") + descriviErrno(ENOSPC) : QString()));
    }
    if (::fsync(m_fd) != 0)
        return fallisci(descriviErrno(errno));
    if (const QString ostacolo = controllaDestinazione(d, &m_nomeOccupato); !ostacolo.isEmpty())
        return fallisci(ostacolo);
    const QByteArray destinazione = QFile::encodeName(d.percorso);
    const int esito = d.sostituisci ? ::rename(temporaneo.constData(), destinazione.constData())
                                    : rinominaSenzaSostituire(temporaneo, destinazione);
    if (esito != 0) {
        m_nomeOccupato = errno == EEXIST;
        return fallisci(m_nomeOccupato
                ? QStringLiteral("il file %1 esiste già").arg(nativo(d.percorso))
                : nativo(d.percorso) + QStringLiteral(": ") + descriviErrno(errno));
    }
    ::close(m_fd);
    m_fd = -1;
    m_temporaneo.clear();
    sincronizzaCartella(QFileInfo(d.percorso).absolutePath());
    return true;
}

void FileCompleto::scarta()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    ::unlink(QFile::encodeName(m_temporaneo).constData());
    m_temporaneo.clear();
}

bool FileCompleto::fallisci(const QString& errore)
{
    m_errore = errore;
    return false;
}

} // namespace melodora
