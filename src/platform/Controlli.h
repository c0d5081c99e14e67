#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

class QFrame;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QToolButton;
class QWidget;

namespace melodora {

/** The pale yellow of an edit box that holds the focus (Windows value 0x00C0FFFF). */
QColor coloreFuoco();

/** A Windows colour value 0x00BBGGRR as a QColor. */
QColor coloreWindows(unsigned valore);

/** Sets the background of an edit box or label (the palette's Base and Window roles). */
void coloraSfondo(QWidget* w, const QColor& colore);

/** The picture named @p nome from the program's resources (":/img/<nome>.png"). */
QPixmap immagine(const QString& nome);

/**
 * The picture @p nome of the resources as decoded when the program was built (a PNG of
 * ":/img/", or the first image of the animation, "starman"), over the program's read-only
 * bytes; a null image when there is none, or when its bytes are not aligned as pixels.
 */
QImage immagineDecodificata(const QString& nome);

/** A picture button without caption: icon, tooltip and accessible name (the tooltip's words). */
QToolButton* creaPulsante(QWidget* parent, const QString& objectName, const QString& nomeImmagine,
    const QString& tooltip, QRect geometria);

/** A picture that shows @p nomeImmagine scaled into its rectangle. */
QLabel* creaImmagine(
    QWidget* parent, const QString& objectName, const QString& nomeImmagine, QRect geometria);

/** A plain label with a caption. */
QLabel* creaEtichetta(
    QWidget* parent, const QString& objectName, const QString& testo, QRect geometria);

/** A borderless container panel. */
QFrame* creaCornice(QWidget* parent, const QString& objectName, QRect geometria);

/**
 * The text of a multi-line box with its line breaks as "\n" and every other character
 * as typed: QPlainTextEdit::toPlainText would turn a non-breaking space into a blank.
 */
QString testoIntegro(const QPlainTextEdit* casella);

/**
 * The character code a key press delivers, as a KeyPress handler sees it: 13 for
 * Enter, 8 for Backspace, 27 for Escape, the character for printable keys, 0 for keys
 * that produce no character (Delete, arrows, function keys).
 */
int codiceAscii(const QKeyEvent* tasto);

} // namespace melodora
