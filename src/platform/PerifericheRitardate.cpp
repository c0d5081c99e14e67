#include "platform/PerifericheRitardate.h"

#include "archive/Programma.h"
#include "platform/CaricaPeriferiche.h"
#include "platform/Periferiche.h"
#include "platform/PrintSurface.h"

#include <QApplication>
#include <QTimer>

namespace melodora {

namespace {
    const QString kSenzaModulo = QStringLiteral(
        "La riproduzione non è disponibile: non si trova o non si può caricare una parte del "
        "programma.\n\n%1");
}

PerifericheRitardate::PerifericheRitardate(MessageService& messaggi, QString cartellaProgramma)
    : m_cartella(std::move(cartellaProgramma))
    , m_media(*this, messaggi)
    , m_mixer(*this)
    , m_stampante(*this)
    , m_tag(*this)
{
}

PerifericheRitardate::~PerifericheRitardate() = default;

Periferiche* PerifericheRitardate::carica()
{
    if (m_provato)
        return m_periferiche;
    m_provato = true;
    m_periferiche = caricaPeriferiche(
        m_cartella.isEmpty() ? QCoreApplication::applicationDirPath() : m_cartella, m_errore);
    if (m_periferiche)
        return m_periferiche;
    qWarning("melodora: %s", qPrintable(m_errore));
    return nullptr;
}

PerifericheRitardate::Media::Media(PerifericheRitardate& p, MessageService& messaggi)
    : m_p(p)
    , m_messaggi(messaggi)
{
}

PerifericheRitardate::Media::~Media() = default;

MediaService* PerifericheRitardate::Media::vero()
{
    if (!m_vero) {
        if (Periferiche* p = m_p.carica())
            m_vero = p->media(m_messaggi);
    }
    return m_vero.get();
}

void PerifericheRitardate::Media::mciExecute(const QString& comando)
{
    // Before the first play nothing is open, so a close has nothing to release.
    if (!m_vero && comando.startsWith(QLatin1String("close ")))
        return;
    if (MediaService* v = vero()) {
        v->mciExecute(comando);
        return;
    }
    // Reported from the event loop, as the player reports its own failures.
    QTimer::singleShot(0, qApp, [this] {
        m_messaggi.mostra(QApplication::activeWindow(), kSenzaModulo.arg(m_p.errore()),
            titolo(QStringLiteral("Riproduzione")), Icona::Esclamazione, Pulsanti::Ok);
    });
}

QString PerifericheRitardate::Media::shortPath(const QString& percorso)
{
    MediaService* v = vero();
    return v ? v->shortPath(percorso) : QString();
}

PerifericheRitardate::MixerR::MixerR(PerifericheRitardate& p)
    : m_p(p)
{
}

PerifericheRitardate::MixerR::~MixerR() = default;

std::unique_ptr<Mixer> PerifericheRitardate::MixerR::apri()
{
    if (!m_vero) {
        if (Periferiche* p = m_p.carica())
            m_vero = p->mixer();
    }
    return m_vero ? m_vero->apri() : nullptr;
}

PerifericheRitardate::Stampante::Stampante(PerifericheRitardate& p)
    : m_p(p)
{
}

PerifericheRitardate::Stampante::~Stampante() = default;

PrinterService* PerifericheRitardate::Stampante::vero()
{
    if (!m_vero) {
        if (Periferiche* p = m_p.carica())
            m_vero = p->stampante();
    }
    return m_vero.get();
}

QString PerifericheRitardate::Stampante::nomeDispositivo()
{
    PrinterService* v = vero();
    return v ? v->nomeDispositivo() : QString();
}

std::unique_ptr<PrintSurface> PerifericheRitardate::Stampante::nuovoDocumento()
{
    PrinterService* v = vero();
    return v ? v->nuovoDocumento() : nullptr;
}

PerifericheRitardate::Tag::Tag(PerifericheRitardate& p)
    : m_p(p)
{
}

bool PerifericheRitardate::Tag::leggi(const QString& percorso, TagAudio& tag, QString& errore) const
{
    if (Periferiche* p = m_p.carica())
        return p->tag().leggi(percorso, tag, errore);
    errore = QStringLiteral("manca la parte del programma che legge i file audio (%1)")
                 .arg(m_p.errore());
    return false;
}

} // namespace melodora
