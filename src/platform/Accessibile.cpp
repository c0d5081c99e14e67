#include "platform/Accessibile.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace melodora {

namespace {

    /** Paints the focus frame over its widget, after the widget has painted itself. */
    class CorniceFuoco : public QObject {
    public:
        CorniceFuoco(QWidget* fuoco, QWidget* cornice)
            : QObject(fuoco)
            , m_fuoco(fuoco)
            , m_cornice(cornice)
        {
            fuoco->installEventFilter(this);
            if (cornice != fuoco)
                cornice->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject* oggetto, QEvent* evento) override
        {
            if (!m_cornice)
                return false;
            const auto tipo = evento->type();
            if (oggetto == m_fuoco && (tipo == QEvent::FocusIn || tipo == QEvent::FocusOut)) {
                m_cornice->update();
                return false;
            }
            if (oggetto != m_cornice || tipo != QEvent::Paint)
                return false;
            // As the style does for buttons: shown when the keyboard moved the focus, not
            // after a click.
            if (!m_fuoco->hasFocus()
                || !m_fuoco->window()->testAttribute(Qt::WA_KeyboardFocusChange))
                return false;
            // The widget paints first (QObject::event is public, and reaching the widget
            // through it runs no filter again); the frame goes on top.
            static_cast<QObject*>(m_cornice.data())->event(evento);
            QPainter p(m_cornice);
            p.setPen(QPen(m_cornice->palette().color(QPalette::WindowText), 1, Qt::DotLine));
            p.drawRect(m_cornice->rect().adjusted(0, 0, -1, -1));
            return true;
        }

    private:
        QWidget* m_fuoco;
        QPointer<QWidget> m_cornice;
    };

    /** Space and Enter on a picture that acts: the press, then the release. */
    class ComandoDaTastiera : public QObject {
    public:
        ComandoDaTastiera(QWidget* w, std::function<void()> premi, std::function<void()> rilascia)
            : QObject(w)
            , m_premi(std::move(premi))
            , m_rilascia(std::move(rilascia))
        {
            w->installEventFilter(this);
        }

        void attiva()
        {
            // Both handlers, in the order a click runs them: the press effect and the
            // picture's home position stay as the mouse leaves them.
            if (m_premi)
                m_premi();
            m_rilascia();
        }

    protected:
        bool eventFilter(QObject* oggetto, QEvent* evento) override
        {
            if (oggetto != parent())
                return false;
            const auto tipo = evento->type();
            if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease)
                return false;
            const auto* tasto = static_cast<const QKeyEvent*>(evento);
            if (tasto->modifiers() & ~(Qt::KeypadModifier))
                return false;
            switch (tasto->key()) {
            case Qt::Key_Space:
            case Qt::Key_Return:
            case Qt::Key_Enter:
                break;
            default:
                return false;
            }
            // One action per key stroke, on the way down; a held key does not repeat it.
            if (tipo == QEvent::KeyPress && !tasto->isAutoRepeat())
                attiva();
            return true;
        }

    private:
        std::function<void()> m_premi;
        std::function<void()> m_rilascia;
    };

    ComandoDaTastiera* comandoDi(QObject* oggetto)
    {
        if (!oggetto || !oggetto->isWidgetType())
            return nullptr;
        for (QObject* figlio : oggetto->children()) {
            if (auto* c = dynamic_cast<ComandoDaTastiera*>(figlio))
                return c;
        }
        return nullptr;
    }

    /** What assistive tools see of such a picture: a button they can press. */
    class ImmagineAccessibile : public QAccessibleWidget {
    public:
        explicit ImmagineAccessibile(QWidget* w)
            : QAccessibleWidget(w, QAccessible::Button)
        {
        }
        QStringList actionNames() const override
        {
            return QStringList { pressAction() } + QAccessibleWidget::actionNames();
        }
        void doAction(const QString& azione) override
        {
            if (azione != pressAction()) {
                QAccessibleWidget::doAction(azione);
                return;
            }
            if (auto* c = comandoDi(widget()); c && widget()->isEnabled())
                c->attiva();
        }
        QStringList keyBindingsForAction(const QString& azione) const override
        {
            if (azione == pressAction())
                return { QStringLiteral("Space") };
            return QAccessibleWidget::keyBindingsForAction(azione);
        }
    };

    QAccessibleInterface* fabbricaImmagini(const QString&, QObject* oggetto)
    {
        if (comandoDi(oggetto))
            return new ImmagineAccessibile(static_cast<QWidget*>(oggetto));
        return nullptr;
    }

} // namespace

void mostraFuoco(QWidget* w, QWidget* cornice) { new CorniceFuoco(w, cornice ? cornice : w); }

void rendiAttivabile(QWidget* immagine, const QString& nome, std::function<void()> premi,
    std::function<void()> rilascia)
{
    static const bool fabbricaInstallata = [] {
        QAccessible::installFactory(fabbricaImmagini);
        return true;
    }();
    Q_UNUSED(fabbricaInstallata);
    new ComandoDaTastiera(immagine, std::move(premi), std::move(rilascia));
    immagine->setAccessibleName(nome);
    immagine->setFocusPolicy(Qt::TabFocus);
    mostraFuoco(immagine);
    // A tooltip or a name set before makes Qt describe the picture at once, as a plain
    // picture; that description is dropped, and the next question gets the button.
    QAccessibleInterface* descrizione = QAccessible::queryAccessibleInterface(immagine);
    if (descrizione && !dynamic_cast<ImmagineAccessibile*>(descrizione))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(descrizione));
}

} // namespace melodora
