#include "archive/Archivio.h"

#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <vector>

namespace melodora {

namespace {
    // Block size of the bulk pass: whole records, about 180 KB, so that a block is still in
    // the processor's cache when the records are looked at; a larger one is read twice from
    // memory, once by the kernel's copy and once by the search.
    constexpr qint64 kSchedePerBlocco = 64;
}

qint64 arrotondaNumero(double x) { return static_cast<qint64>(std::nearbyint(x)); }

Esito sincronizzaCartella(const QString& percorso, FileOps& ops)
{
    const QString cartella = QFileInfo(percorso).absolutePath();
    const QByteArray nome = QFile::encodeName(cartella);
    const int fd = ops.open(nome.constData(), O_RDONLY | O_DIRECTORY, 0);
    if (fd < 0)
        return Esito::daErrno(cartella);
    Esito esito;
    if (ops.fsync(fd) != 0)
        esito = Esito::daErrno(QStringLiteral("sincronizzazione di ") + cartella);
    ops.close(fd); // nothing was written through this handle
    return esito;
}

ArchivioSchede::ArchivioSchede(QString percorso, FileOps& ops, int fd, bool soloLettura)
    : m_percorso(std::move(percorso))
    , m_ops(&ops)
    , m_fd(fd)
    , m_soloLettura(soloLettura)
{
}

ArchivioSchede::ArchivioSchede(ArchivioSchede&& altro) noexcept
    : m_percorso(std::move(altro.m_percorso))
    , m_ops(altro.m_ops)
    , m_fd(altro.m_fd)
    , m_soloLettura(altro.m_soloLettura)
{
    altro.m_fd = -1;
}

// Only read or already synced by the time it goes: a failed close has nothing to lose.
ArchivioSchede::~ArchivioSchede() { (void)chiudi(); }

std::unique_ptr<ArchivioSchede> ArchivioSchede::apri(
    const QString& percorso, FileOps& ops, Esito* errore)
{
    const QByteArray nome = QFile::encodeName(percorso);
    bool soloLettura = false;
    int fd = ops.open(nome.constData(), O_RDWR | O_CREAT, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = ops.open(nome.constData(), O_RDONLY, 0);
        soloLettura = true;
    }
    if (fd < 0) {
        if (errore)
            *errore = Esito::daErrno(percorso);
        return nullptr;
    }
    return std::unique_ptr<ArchivioSchede>(new ArchivioSchede(percorso, ops, fd, soloLettura));
}

std::unique_ptr<ArchivioSchede> ArchivioSchede::apriInLettura(
    const QString& percorso, FileOps& ops, Esito* errore)
{
    const int fd = ops.open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK, 0);
    if (fd < 0) {
        if (errore)
            *errore = Esito::daErrno(percorso);
        return nullptr;
    }
    // A folder or a FIFO opens for reading too, and would pass for an archive.
    struct stat st { };
    const bool misurato = ops.fstat(fd, &st) == 0;
    if (!misurato || !S_ISREG(st.st_mode)) {
        if (errore)
            *errore = !misurato ? Esito::daErrno(percorso)
                : S_ISDIR(st.st_mode)
                ? Esito::fallito(percorso + QStringLiteral(": è una cartella"))
                : Esito::fallito(percorso + QStringLiteral(": non è un file regolare"));
        ops.close(fd);
        return nullptr;
    }
    return std::unique_ptr<ArchivioSchede>(new ArchivioSchede(percorso, ops, fd, true));
}

qint64 ArchivioSchede::lunghezza() const
{
    if (m_fd < 0)
        return -1;
    struct stat st { };
    if (m_ops->fstat(m_fd, &st) != 0)
        return -1;
    return static_cast<qint64>(st.st_size);
}

double ArchivioSchede::NumeroSchede() const
{
    const qint64 len = lunghezza();
    if (len <= 0)
        return 0.0;
    return static_cast<double>(len) / kLunghezzaScheda;
}

qint64 ArchivioSchede::schedeIntere() const
{
    const qint64 len = lunghezza();
    return len <= 0 ? 0 : len / kLunghezzaScheda;
}

Esito ArchivioSchede::LeggiScheda(qint64 n, Scheda& scheda) const
{
    if (m_fd < 0)
        return Esito::fallito(QStringLiteral("archivio chiuso"));
    if (n < 1)
        return Esito::fallito(QStringLiteral("numero di scheda non valido: %1").arg(n));
    char record[kLunghezzaScheda];
    std::memset(record, ' ', sizeof record);
    const qint64 letti
        = m_ops->leggiTutto(m_fd, record, kLunghezzaScheda, (n - 1) * kLunghezzaScheda);
    if (letti < 0)
        return Esito::daErrno(QStringLiteral("lettura"));
    if (letti == 0)
        return Esito::fallito(QStringLiteral("la scheda %1 non esiste").arg(n));
    std::memset(record + letti, ' ', static_cast<size_t>(kLunghezzaScheda - letti));
    scheda = Scheda::daByte(record);
    return {};
}

Esito ArchivioSchede::scriviInCoda(qint64 offset, const QByteArray& dati)
{
    const qint64 prima = lunghezza();
    if (prima < 0)
        return Esito::daErrno(m_percorso);
    Esito esito;
    if (!m_ops->scriviTutto(m_fd, dati.constData(), dati.size(), offset))
        esito = Esito::daErrno(QStringLiteral("scrittura"));
    if (esito && m_ops->fsync(m_fd) != 0)
        esito = Esito::daErrno(QStringLiteral("sincronizzazione"));
    // The first record of a file that may have just been created: its name in the folder
    // must reach the disk too, or a crash could take the whole file away.
    if (esito && prima == 0)
        esito = sincronizzaCartella(m_percorso, *m_ops);
    if (!esito && offset + dati.size() > prima) {
        // A failed append must not leave part of a record behind, not even after a crash.
        if (m_ops->ftruncate(m_fd, static_cast<off_t>(prima)) == 0)
            m_ops->fsync(m_fd);
    }
    return esito;
}

Esito ArchivioSchede::ScriviScheda(qint64 n, const Scheda& scheda)
{
    if (m_fd < 0)
        return Esito::fallito(QStringLiteral("archivio chiuso"));
    if (m_soloLettura)
        return Esito::fallito(m_percorso + QStringLiteral(": file in sola lettura"));
    if (n < 1)
        return Esito::fallito(QStringLiteral("numero di scheda non valido: %1").arg(n));
    return scriviInCoda((n - 1) * kLunghezzaScheda, scheda.inByte());
}

Esito ArchivioSchede::perOgniScheda(
    const std::function<bool(qint64 n, const char* record)>& visita) const
{
    const qint64 totale = schedeIntere();
    // A small archive gets a small block: this runs on every search and every export.
    std::vector<char> blocco(
        static_cast<size_t>(std::clamp<qint64>(totale, 1, kSchedePerBlocco) * kLunghezzaScheda));
    for (qint64 primo = 1; primo <= totale; primo += kSchedePerBlocco) {
        const qint64 quante = std::min(kSchedePerBlocco, totale - primo + 1);
        const qint64 letti = m_ops->leggiTutto(
            m_fd, blocco.data(), quante * kLunghezzaScheda, (primo - 1) * kLunghezzaScheda);
        if (letti < 0)
            return Esito::daErrno(QStringLiteral("lettura"));
        const qint64 intere = letti / kLunghezzaScheda;
        for (qint64 i = 0; i < intere; ++i) {
            if (!visita(primo + i, blocco.data() + i * kLunghezzaScheda))
                return {};
        }
        if (intere < quante)
            break; // the file got shorter under us
    }
    return {};
}

Esito ArchivioSchede::chiudi()
{
    if (m_fd < 0)
        return {};
    const int fd = m_fd;
    m_fd = -1;
    if (m_ops->close(fd) != 0)
        return Esito::daErrno(QStringLiteral("chiusura"));
    return {};
}

} // namespace melodora
