#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace melodora {

/**
 * Draws a dotted frame, in the widget's text colour, over @p w (or over @p cornice, when
 * @p w is too small to show one) while @p w holds a focus that the keyboard gave it:
 * pictures and labels show none of their own.
 */
void mostraFuoco(QWidget* w, QWidget* cornice = nullptr);

/**
 * Makes a picture (or a label) that acts on a mouse click usable without the mouse, as
 * far as the platform allows: Tab stops on it (a click still does not take the focus, so
 * clicking it leaves the focus where it was), the focus shows (mostraFuoco), Space or
 * Enter run @p premi (when the picture has a press handler) then @p rilascia, the handlers
 * of the mouse button's press and release, and assistive tools see a button named @p nome
 * that they can press.
 */
void rendiAttivabile(QWidget* immagine, const QString& nome, std::function<void()> premi,
    std::function<void()> rilascia);

} // namespace melodora
