#pragma once

#include <QObject>
#include <QRect>

#include <vector>

class QLabel;
class QTimer;
class QWidget;

namespace melodora {

/**
 * The title animation of the main window: a stack of pictures, all named Image1, that
 * shows the animated "starman.gif" of the program's folder once per StartAnimation, each
 * frame for its own delay, and ends on the first frame. Element 0 exists from the start
 * and shows the animation's first image, still; the others are made per run, on the
 * window, in front of the earlier ones.
 */
class AnimazioneTitolo : public QObject {
    Q_OBJECT
public:
    /** Element 0 on @p finestra at @p posto (pixels). */
    AnimazioneTitolo(QWidget* finestra, QRect posto);

    /** Writes the resource @p risorsa (":/starman.gif") to @p percorso; always 0. */
    static int ExtractResource(const QString& risorsa, const QString& percorso);
    /**
     * Start-up: element 0 takes the first image, and the animation is written out as
     * starman.gif once the window is up, so that start-up does not wait for the disk.
     */
    void estrai();

    /** A run from frame 0, over a run in progress; none when the file does not load. */
    void StartAnimation();
    /** Loads the frames of @p percorso; the index of the last element (0: nothing loaded). */
    int SplitGifFrames(const QString& percorso);
    void tmrAniGif_Timer();
    void CheckAnimationEnd();

    int LastFrame = 0;
    int CurrentFrame = 0;
    QTimer* tmrAniGif = nullptr;

    /** The stacked frames; element 0 always exists. */
    const std::vector<QLabel*>& Image1() const { return m_image1; }

private:
    QLabel* elemento(int indice) const;
    void scaricaFotogrammi();

    QWidget* m_finestra;
    std::vector<QLabel*> m_image1;
};

} // namespace melodora
