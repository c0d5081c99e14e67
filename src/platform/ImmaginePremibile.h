#pragma once

#include <QLabel>
#include <QPoint>
#include <QRect>

#include <optional>

namespace melodora {

/**
 * A picture that acts as a button: it acts when the mouse button that went down on it
 * comes up (any button, wherever the pointer then is), or from the keyboard and assistive
 * tools as rendiAttivabile describes. A picture with a home position (mettiACasa) also
 * shows that it is pressed: while a mouse button is down on it, it stands 20 twips to the
 * right and 20 twips lower, and before it acts it goes back home.
 */
class ImmaginePremibile : public QLabel {
    Q_OBJECT
public:
    /** The picture @p nomeImmagine of the resources, scaled into @p geometria (pixels). */
    ImmaginePremibile(QWidget* parent, const QString& objectName, const QString& nomeImmagine,
        const QString& tooltip, QRect geometria = {});

    /** Places the picture at its home, @p casa in twips (left, top), @p dimensione twips big. */
    void mettiACasa(QPoint casa, QSize dimensione);

    /** Where the picture stands, in twips (left, top): its home, or the pressed place. */
    QPoint posizioneTwips() const { return m_posizione; }

    /** The mouse button's press: the press effect, each press moving it on again. */
    void premi();
    /** The mouse button's release: back home, then rilasciata(). */
    void rilascia();

signals:
    void rilasciata();

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    void spostaTwips(QPoint posizione);

    std::optional<QPoint> m_casa;
    QPoint m_posizione;
};

} // namespace melodora
