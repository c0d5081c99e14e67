// The audio file, its playback and the title animation.
#include "main_window/frmSonoria.h"

#include "archive/AppFilePath.h"
#include "archive/Codifica.h"
#include "main_window/Animazione.h"
#include "main_window/TestiSonoria.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <memory>

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

    // The last frame of a run of the program's own animation.
    constexpr int kUltimoFotogramma = 40;

    const char* const kTag = "Tag";

    int tag(const QLabel* elemento) { return elemento->property(kTag).toString().toInt(); }

    // One frame as a picture of its own: the file's header followed by the frame's bytes,
    // decoded from memory, so that no temporary file is needed.
    QImage decodifica(const QByteArray& gif)
    {
        QBuffer buffer;
        buffer.setData(gif);
        buffer.open(QIODevice::ReadOnly);
        QImageReader lettore(&buffer, "gif");
        return lettore.read();
    }
}

// ---------------------------------------------------------------------------------------
// The title animation

int frmSonoria::ExtractResource(const QString& risorsa, const QString& percorso)
{
    QFile sorgente(risorsa);
    if (!sorgente.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray dati = sorgente.readAll();
    // Written whole or not at all, and never leaving the tail of an older, longer file.
    QSaveFile destinazione(percorso);
    destinazione.setDirectWriteFallback(true);
    if (destinazione.open(QIODevice::WriteOnly) && destinazione.write(dati) == dati.size())
        destinazione.commit();
    return 0;
}

void frmSonoria::estraiAnimazione()
{
    const QString risorsa = QStringLiteral(":/starman.gif");
    // The file is read only when a run starts: written (and synced) once the window is up,
    // so that start-up does not wait for the disk.
    QTimer::singleShot(0, this,
        [risorsa] { ExtractResource(risorsa, AppFilePath(QStringLiteral("starman.gif"))); });
    // Until the first run, element 0 shows the animation's first image, still.
    QImageReader lettore(risorsa);
    const QImage primo = lettore.read();
    if (!primo.isNull())
        m_image1.front()->setPixmap(QPixmap::fromImage(primo));
}

QLabel* frmSonoria::elementoImage1(int indice) const
{
    if (indice < 0 || static_cast<size_t>(indice) >= m_image1.size())
        return nullptr;
    return m_image1[static_cast<size_t>(indice)];
}

void frmSonoria::scaricaFotogrammi()
{
    while (m_image1.size() > 1) {
        std::unique_ptr<QLabel> elemento(m_image1.back());
        m_image1.pop_back();
    }
}

void frmSonoria::StartAnimation()
{
    m_image1.front()->show();
    // A run in progress starts over; it stops altogether when the file no longer loads.
    tmrAniGif->stop();
    LastFrame = SplitGifFrames(AppFilePath(QStringLiteral("starman.gif")));
    if (LastFrame > 0) {
        CurrentFrame = 0;
        tmrAniGif->setInterval(tag(m_image1.front()));
        tmrAniGif->start();
    }
}

int frmSonoria::SplitGifFrames(const QString& percorso)
{
    scaricaFotogrammi();
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const auto fotogrammi = dividiGif(file.readAll());
    file.close();
    if (!fotogrammi)
        return 0;

    QLabel* const zero = m_image1.front();
    for (std::size_t n = 0; n < fotogrammi->size(); ++n) {
        const Fotogramma& f = (*fotogrammi)[n];
        const QImage figura = decodifica(f.gif);
        if (figura.isNull()) {
            // A frame that does not decode spoils the run: nothing stays loaded.
            scaricaFotogrammi();
            return 0;
        }
        QLabel* elemento = zero;
        if (n > 0) {
            // A copy of element 0, hidden, in front of the earlier frames. The frame's
            // offset is in pixels of the picture, which are pixels of the screen.
            elemento = new QLabel(this);
            elemento->setObjectName(zero->objectName());
            elemento->setAutoFillBackground(true);
            elemento->setPalette(zero->palette());
            elemento->setFrameShape(zero->frameShape());
            elemento->resize(zero->size());
            elemento->hide();
            elemento->raise();
            elemento->move(zero->pos() + f.scostamento);
            m_image1.push_back(elemento);
        }
        elemento->setProperty(kTag, QString::number(f.ritardo));
        elemento->setPixmap(QPixmap::fromImage(figura));
    }
    return static_cast<int>(m_image1.size()) - 1;
}

void frmSonoria::tmrAniGif_Timer()
{
    if (CurrentFrame < LastFrame) {
        ++CurrentFrame;
    } else {
        CurrentFrame = 0;
        for (int i = 1; i <= LastFrame; ++i)
            if (QLabel* e = elementoImage1(i))
                e->hide();
    }
    if (QLabel* e = elementoImage1(CurrentFrame)) {
        e->show();
        tmrAniGif->setInterval(tag(e));
    }
    CheckAnimationEnd();
}

void frmSonoria::CheckAnimationEnd()
{
    // The program's animation ends on frame 40; a shorter one ends on its last frame.
    const int fine = std::min(kUltimoFotogramma, LastFrame);
    const QLabel* ultimo = elementoImage1(fine);
    if (fine < 1 || !ultimo || ultimo->isHidden())
        return;
    tmrAniGif->stop();
    m_image1.front()->show();
    for (int i = 1; i <= fine; ++i)
        elementoImage1(i)->hide();
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
            m_platform.media, cmdPlay, cmdPause, cmdStop, [this] { return txtMP3->text(); });
    return *m_riproduzione;
}

void frmSonoria::cmdPlay_Click()
{
    StartAnimation();
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
