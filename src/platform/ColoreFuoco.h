#pragma once

#include <QColor>
#include <QObject>

class QWidget;

namespace melodora {

/**
 * The focus colour of an edit box: when @p campo gains the focus its background becomes
 * the pale yellow of coloreFuoco(), and @p normale again when it loses it (the box's
 * colour before the first focus is its creator's). Owned by the box. A box made of
 * several widgets (an editable combo box and its edit line) gets one for the whole, and
 * segui() adds the inner widget whose focus counts too.
 */
class ColoreFuoco : public QObject {
public:
    ColoreFuoco(QWidget* campo, const QColor& normale);

    /** The focus of @p interno, a widget inside the box, colours the box as well. */
    void segui(QWidget* interno);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* m_campo;
    QColor m_normale;
};

} // namespace melodora
