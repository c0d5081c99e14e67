#include "main_window/AnimazioneTitolo.h"

#include "archive/AppFilePath.h"
#include "main_window/Animazione.h"
#include "platform/Controlli.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace melodora {

namespace {
    // The last frame of a run of the program's own animation.
    constexpr int kUltimoFotogramma = 40;

    const char* const kTag = "Tag";

    int tag(const QLabel* elemento) { return elemento->property(kTag).toString().toInt(); }

    QString starman() { return AppFilePath(QStringLiteral("starman.gif")); }

    // One frame as a picture of its own: the file's header followed by the frame's bytes,
    // decoded from memory, so that no temporary file is needed.
    QImage decodifica(const QByteArray& gif)
    {
        QBuffer buffer;
        buffer.setData(gif);
        if (!buffer.open(QIODevice::ReadOnly))
            return {};
        QImageReader lettore(&buffer, "gif");
        return lettore.read();
    }
}

AnimazioneTitolo::AnimazioneTitolo(QWidget* finestra, QRect posto)
    : QObject(finestra)
    , m_finestra(finestra)
{
    auto* primo = new QLabel(finestra);
    primo->setObjectName(QStringLiteral("Image1"));
    primo->setGeometry(posto);
    primo->setAutoFillBackground(true);
    coloraSfondo(primo, Qt::white);
    m_image1.push_back(primo);
    tmrAniGif = new QTimer(this);
    tmrAniGif->setObjectName(QStringLiteral("tmrAniGif"));
    connect(tmrAniGif, &QTimer::timeout, this, &AnimazioneTitolo::tmrAniGif_Timer);
}

int AnimazioneTitolo::ExtractResource(const QString& risorsa, const QString& percorso)
{
    QFile sorgente(risorsa);
    if (!sorgente.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray dati = sorgente.readAll();
    // Written whole or not at all, and never leaving the tail of an older, longer file. A
    // failure is not reported: the program goes on without the animation.
    QSaveFile destinazione(percorso);
    destinazione.setDirectWriteFallback(true);
    if (destinazione.open(QIODevice::WriteOnly) && destinazione.write(dati) == dati.size())
        destinazione.commit();
    return 0;
}

void AnimazioneTitolo::estrai()
{
    const QString risorsa = QStringLiteral(":/starman.gif");
    QTimer::singleShot(0, this, [risorsa] { ExtractResource(risorsa, starman()); });
    // Until the first run, element 0 shows the animation's first image, still: decoded when
    // the program was built, so that start-up loads no image plug-in for it.
    QImage primo = immagineDecodificata(QStringLiteral("starman"));
    if (primo.isNull())
        primo = QImageReader(risorsa, "gif").read();
    if (!primo.isNull())
        m_image1.front()->setPixmap(QPixmap::fromImage(std::move(primo)));
}

QLabel* AnimazioneTitolo::elemento(int indice) const
{
    if (indice < 0 || static_cast<size_t>(indice) >= m_image1.size())
        return nullptr;
    return m_image1[static_cast<size_t>(indice)];
}

void AnimazioneTitolo::scaricaFotogrammi()
{
    while (m_image1.size() > 1) {
        std::unique_ptr<QLabel> ultimo(m_image1.back());
        m_image1.pop_back();
    }
}

void AnimazioneTitolo::StartAnimation()
{
    m_image1.front()->show();
    // A run in progress starts over; it stops altogether when the file no longer loads.
    tmrAniGif->stop();
    LastFrame = SplitGifFrames(starman());
    if (LastFrame > 0) {
        CurrentFrame = 0;
        tmrAniGif->setInterval(tag(m_image1.front()));
        tmrAniGif->start();
    }
}

int AnimazioneTitolo::SplitGifFrames(const QString& percorso)
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
        QLabel* e = zero;
        if (n > 0) {
            // A copy of element 0, hidden, in front of the earlier frames. The frame's
            // offset is in pixels of the picture, which are pixels of the screen.
            e = new QLabel(m_finestra);
            e->setObjectName(zero->objectName());
            e->setAutoFillBackground(true);
            e->setPalette(zero->palette());
            e->setFrameShape(zero->frameShape());
            e->resize(zero->size());
            e->hide();
            e->raise();
            e->move(zero->pos() + f.scostamento);
            m_image1.push_back(e);
        }
        e->setProperty(kTag, QString::number(f.ritardo));
        e->setPixmap(QPixmap::fromImage(figura));
    }
    return static_cast<int>(m_image1.size()) - 1;
}

void AnimazioneTitolo::tmrAniGif_Timer()
{
    if (CurrentFrame < LastFrame) {
        ++CurrentFrame;
    } else {
        CurrentFrame = 0;
        for (int i = 1; i <= LastFrame; ++i)
            if (QLabel* e = elemento(i))
                e->hide();
    }
    if (QLabel* e = elemento(CurrentFrame)) {
        e->show();
        tmrAniGif->setInterval(tag(e));
    }
    CheckAnimationEnd();
}

void AnimazioneTitolo::CheckAnimationEnd()
{
    // The program's animation ends on frame 40; a shorter one ends on its last frame.
    const int fine = std::min(kUltimoFotogramma, LastFrame);
    const QLabel* ultimo = elemento(fine);
    if (fine < 1 || !ultimo || ultimo->isHidden())
        return;
    tmrAniGif->stop();
    m_image1.front()->show();
    for (int i = 1; i <= fine; ++i)
        elemento(i)->hide();
}

} // namespace melodora
