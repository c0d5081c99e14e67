#include "audio/Riproduzione.h"

#include "platform/Platform.h"

#include <QAbstractButton>

#include <utility>

namespace melodora {

ControlloRiproduzione::ControlloRiproduzione(MediaService& media, QAbstractButton* pause,
    QAbstractButton* stop, std::function<QString()> fileCorrente)
    : m_media(media)
    , m_pause(pause)
    , m_stop(stop)
    , m_file(std::move(fileCorrente))
{
}

bool ControlloRiproduzione::nessunFile() const { return m_file().trimmed().isEmpty(); }

QString ControlloRiproduzione::ShortPath(const QString& percorso) const
{
    return m_media.shortPath(percorso);
}

void ControlloRiproduzione::play()
{
    m_pause->setEnabled(true);
    m_stop->setEnabled(true);
    const QString breve = ShortPath(m_file());
    m_media.mciExecute(QStringLiteral("play ") + breve);
    // A missing file opens nothing (the player has said so), and a device already open,
    // whose file went away while it played, stays the one to end.
    if (!breve.isEmpty())
        m_aperto = breve;
}

void ControlloRiproduzione::pause()
{
    if (nessunFile())
        return;
    if (!m_aperto.isEmpty())
        m_media.mciExecute(QStringLiteral("pause ") + m_aperto);
    m_pause->setEnabled(false);
}

void ControlloRiproduzione::chiudi()
{
    // Ending playback is always play, then close, on the same short path: the one opened.
    if (m_aperto.isEmpty())
        return;
    const QString breve = std::exchange(m_aperto, QString());
    m_media.mciExecute(QStringLiteral("play ") + breve);
    m_media.mciExecute(QStringLiteral("close ") + breve);
}

void ControlloRiproduzione::stop()
{
    if (nessunFile())
        return;
    chiudi();
    m_pause->setEnabled(false);
    m_stop->setEnabled(false);
}

void ControlloRiproduzione::CloseAudio()
{
    if (nessunFile() || !m_stop->isEnabled())
        return;
    chiudi();
    m_pause->setEnabled(false);
    m_stop->setEnabled(false);
}

void ControlloRiproduzione::chiudiSempre()
{
    chiudi();
    m_pause->setEnabled(false);
    m_stop->setEnabled(false);
}

} // namespace melodora
