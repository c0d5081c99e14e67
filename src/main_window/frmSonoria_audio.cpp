// The audio file and its playback.
#include "main_window/frmSonoria.h"

#include "archive/Codifica.h"
#include "main_window/AnimazioneTitolo.h"
#include "main_window/TestiSonoria.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace melodora {

using namespace testi_sonoria;

namespace {
    // Why the card cannot keep @p percorso, or an empty string when it can.
    QString motivoPercorsoNonArchiviabile(const QString& percorso)
    {
        const int massimo = info(Campo::MP3).lunghezza;
        const QString carattere = cp1252::primoNonRappresentabile(percorso);
        if (!carattere.isEmpty()) {
            const QString codice = QStringLiteral("U+%1")
                                       .arg(carattere.toUcs4().value(0), 4, 16, QLatin1Char('0'))
                                       .toUpper();
            // An invisible character is named by its code alone.
            const bool visibile = carattere.size() == 2 || carattere.at(0).isPrint();
            return PercorsoConCarattere.arg(
                visibile ? QStringLiteral("\"%1\" (%2)").arg(carattere, codice) : codice);
        }
        // The card counts characters, one byte each on disk.
        if (percorso.size() > massimo)
            return PercorsoTroppoLungo.arg(percorso.size()).arg(massimo);
        return {};
    }
}

// ---------------------------------------------------------------------------------------
// Choosing the audio file

void frmSonoria::cmdSfoglia_Click()
{
    CloseAudio();
    cmdPause->setEnabled(false);
    cmdStop->setEnabled(false);
    const QString scelto
        = m_platform.dialoghi.scegliFile(this, TitoloSfoglia, QDir::currentPath(), FiltriAudio);
    if (scelto.isEmpty())
        return; // cancelled: the old path stays
    // A path the card cannot hold whole (longer than its field, or with characters the
    // archive's character set lacks) would be saved mangled and never found again. The
    // message says which, and the card keeps the path it had.
    const QString motivo = motivoPercorsoNonArchiviabile(scelto);
    if (!motivo.isEmpty()) {
        m_platform.messaggi.mostra(this, FileAudioNonValido + Separatore + motivo, TitoloAttenzione,
            Icona::Critica, Pulsanti::Ok);
        return;
    }
    txtMP3->setText(scelto);
}

void frmSonoria::txtMP3_Change()
{
    const bool vuoto = txtMP3->text().trimmed().isEmpty();
    cmdPlay->setEnabled(!vuoto);
    cmdPause->setEnabled(false);
    cmdStop->setEnabled(false);
}

void frmSonoria::txtMP3_KeyPress(int& KeyAscii)
{
    Q_UNUSED(KeyAscii); // the box is read-only: the key changes nothing anyway
    m_platform.messaggi.mostra(
        this, SuggerimentoSfoglia, TitoloAttenzione, Icona::Informazione, Pulsanti::Ok);
    cmdSfoglia->setFocus();
}

// ---------------------------------------------------------------------------------------
// Playback

ControlloRiproduzione& frmSonoria::riproduzione()
{
    if (!m_riproduzione)
        m_riproduzione.emplace(
            m_platform.media, cmdPause, cmdStop, [this] { return txtMP3->text(); });
    return *m_riproduzione;
}

void frmSonoria::cmdPlay_Click()
{
    animazione->StartAnimation();
    if (riproduzione().nessunFile()) {
        m_platform.messaggi.mostra(
            this, NessunBrano, TitoloNessunBrano, Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    riproduzione().play();
}

void frmSonoria::cmdPause_Click() { riproduzione().pause(); }

void frmSonoria::cmdStop_Click() { riproduzione().stop(); }

void frmSonoria::CloseAudio() { riproduzione().CloseAudio(); }

QString frmSonoria::ShortPath(const QString& percorso)
{
    return riproduzione().ShortPath(percorso);
}

} // namespace melodora
