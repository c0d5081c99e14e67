#include "platform/MediaQt.h"

#include "archive/Programma.h"

#include <QApplication>
#include <QAudioOutput>
#include <QDir>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace melodora {

namespace {
    const QString kTitolo = titolo(QStringLiteral("Riproduzione"));
    const QString kFileMancante = QStringLiteral(
        "Il file audio del brano non è stato trovato.\n\n"
        "Controllare che il file esista ancora e che il percorso indicato nella scheda sia "
        "corretto.");
    const QString kNonRiproducibile
        = QStringLiteral("Il file audio non può essere riprodotto:\n%1\n\n%2");
    const QString kComandoIgnoto = QStringLiteral("Comando di riproduzione non riconosciuto: %1");

    QString motivo(QMediaPlayer::Error errore)
    {
        switch (errore) {
        case QMediaPlayer::FormatError:
            return QStringLiteral("Il formato del file non è supportato: si possono riprodurre "
                                  "file MP3 e WAV.");
        case QMediaPlayer::AccessDeniedError:
            return QStringLiteral("Non si hanno i permessi per leggere il file.");
        case QMediaPlayer::ResourceError:
            return QStringLiteral("Il file non esiste, non si può leggere oppure è danneggiato.");
        default:
            return QStringLiteral("Il sistema audio ha segnalato un errore.");
        }
    }
}

struct QtMediaService::Dispositivo {
    // Receiver of the player's signals and of the device's deferred reports: closing the
    // device withdraws a report not yet shown, so one failure is reported once.
    QObject contesto;
    // The output outlives the player that plays into it.
    std::unique_ptr<QAudioOutput> uscita;
    std::unique_ptr<QMediaPlayer> lettore;
    // Set after a failure, reported once; the next "play" opens the file afresh.
    bool guasto = false;
};

QtMediaService::QtMediaService(MessageService& messaggi)
    : m_messaggi(messaggi)
    , m_mancante(std::make_unique<QObject>())
{
    // GStreamer plays into a fake sink when the machine has no sound at all; the
    // other backend gives up there. Read when the first player is made.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

QtMediaService::~QtMediaService() = default;

QString QtMediaService::shortPath(const QString& percorso)
{
    return QFileInfo(percorso).isFile() ? percorso : QString();
}

QMediaPlayer* QtMediaService::lettore(const QString& percorso) const
{
    const auto it = m_dispositivi.find(percorso);
    return it == m_dispositivi.end() ? nullptr : it->second->lettore.get();
}

void QtMediaService::segnala(QObject* contesto, const QString& testo)
{
    // Shown from the event loop, never from inside a player's signal or a caller's step.
    QTimer::singleShot(0, contesto, [this, testo] {
        m_messaggi.mostra(
            QApplication::activeWindow(), testo, kTitolo, Icona::Esclamazione, Pulsanti::Ok);
    });
}

QtMediaService::Dispositivo& QtMediaService::apri(const QString& percorso)
{
    auto& d = m_dispositivi[percorso];
    if (d && !d->guasto)
        return *d;
    d.reset(); // a failed player is not reused
    d = std::make_unique<Dispositivo>();
    d->uscita = std::make_unique<QAudioOutput>();
    d->lettore = std::make_unique<QMediaPlayer>();
    d->lettore->setAudioOutput(d->uscita.get());
    Dispositivo* dispositivo = d.get();
    QObject::connect(d->lettore.get(), &QMediaPlayer::errorOccurred, &d->contesto,
        [this, dispositivo, percorso](QMediaPlayer::Error errore, const QString&) {
            if (errore == QMediaPlayer::NoError || dispositivo->guasto)
                return;
            dispositivo->guasto = true;
            dispositivo->lettore->stop(); // it may still claim to be playing
            segnala(&dispositivo->contesto,
                kNonRiproducibile.arg(QDir::toNativeSeparators(percorso), motivo(errore)));
        });
    d->lettore->setSource(QUrl::fromLocalFile(percorso));
    return *d;
}

void QtMediaService::chiudi(const QString& percorso)
{
    if (percorso.isEmpty()) {
        // Ending playback of a missing file (play, then close, in one step) is no new
        // attempt: its "play" is not reported.
        m_mancante = std::make_unique<QObject>();
        return;
    }
    const auto it = m_dispositivi.find(percorso);
    if (it == m_dispositivi.end())
        return; // nothing open: nothing to release
    it->second->lettore->stop();
    m_dispositivi.erase(it);
}

void QtMediaService::mciExecute(const QString& comando)
{
    // A keyword, one blank, and the path as it is: blanks inside it belong to it.
    const qsizetype spazio = comando.indexOf(QLatin1Char(' '));
    const QString parola = spazio < 0 ? comando : comando.left(spazio);
    const QString percorso = spazio < 0 ? QString() : comando.mid(spazio + 1);

    if (parola == QLatin1String("close")) {
        chiudi(percorso);
        return;
    }
    if (parola != QLatin1String("play") && parola != QLatin1String("pause")) {
        segnala(&m_contesto, kComandoIgnoto.arg(comando));
        return;
    }
    if (percorso.isEmpty()) {
        // The caller names a missing file by an empty path.
        segnala(m_mancante.get(), kFileMancante);
        return;
    }
    if (parola == QLatin1String("play")) {
        apri(percorso).lettore->play();
    } else if (QMediaPlayer* l = lettore(percorso)) {
        l->pause();
    }
}

} // namespace melodora
