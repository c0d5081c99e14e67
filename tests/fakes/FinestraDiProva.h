#pragma once

#include "FakePlatform.h"
#include "archive/AppFilePath.h"
#include "main_window/frmSonoria.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace melodora::test {

/** A box as one value, so that its title, icon, buttons and text are compared at once. */
inline QStringList scatola(
    const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti = Pulsanti::Ok)
{
    return { titolo, QString::number(int(icona)), QString::number(int(pulsanti)), testo };
}
inline QStringList scatola(const MessaggioMostrato& m)
{
    return scatola(m.testo, m.titolo, m.icona, m.pulsanti);
}
using Scatole = QList<QStringList>;
/** Every box shown so far, in order, each as one value. */
inline Scatole scatole(const FakeMessages& messaggi)
{
    Scatole l;
    for (const MessaggioMostrato& m : messaggi.mostrati)
        l.append(scatola(m));
    return l;
}

/** Which of @p pulsanti are enabled, as one string of 1s and 0s. */
inline QString abilitati(std::initializer_list<const QWidget*> pulsanti)
{
    QString s;
    for (const QWidget* b : pulsanti)
        s.append(b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0'));
    return s;
}

/**
 * Runs @p f once on the first modal window of class T to show, from inside its event loop;
 * the probe ends with the returned timer.
 */
template <typename T, typename F> std::unique_ptr<QTimer> quandoModale(F f)
{
    auto sonda = std::make_unique<QTimer>();
    sonda->setInterval(10);
    QObject::connect(sonda.get(), &QTimer::timeout, sonda.get(), [s = sonda.get(), f] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            s->stop();
            f(w);
        }
    });
    sonda->start();
    return sonda;
}

/** The background of a box: pale yellow while it has the focus. */
inline QColor sfondo(const QWidget* w) { return w->palette().color(QPalette::Base); }
inline const QColor kColoreFuoco { 255, 255, 192 };

/** Shows @p w and makes it the active window, as a user's click would. */
[[nodiscard]] inline bool mostraAttiva(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    return QTest::qWaitForWindowActive(w);
}

/** The visible top-level windows of class T. */
template <typename T> QList<T*> finestreVisibili()
{
    QList<T*> trovate;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* f = qobject_cast<T*>(w); f && f->isVisible())
            trovate.append(f);
    }
    return trovate;
}

/** The fakes, and a fresh temporary program folder for as long as this lives. */
class CartellaDiProva {
public:
    CartellaDiProva() { impostaCartellaProgramma(cartella.path()); }
    ~CartellaDiProva() { impostaCartellaProgramma(QString()); }
    CartellaDiProva(const CartellaDiProva&) = delete;
    CartellaDiProva& operator=(const CartellaDiProva&) = delete;

    QString archivio() const { return cartella.filePath(QStringLiteral("Sonoria.sng")); }

    QTemporaryDir cartella;
    FakePlatform fake;
};

/** The per-test program folder and fakes of a test class, made afresh by prepara(). */
struct ConCartella {
    void prepara()
    {
        m_cartella = std::make_unique<CartellaDiProva>();
        m_fake = &m_cartella->fake;
    }
    std::unique_ptr<CartellaDiProva> m_cartella;
    FakePlatform* m_fake = nullptr;
};

/**
 * A main window on the fake platform, in a fresh program folder.
 * @p file replaces the real file operations (a FileOps that fails on cue).
 */
class FinestraDiProva : public CartellaDiProva {
public:
    explicit FinestraDiProva(FileOps* file = nullptr)
        : platform { fake.con(nullptr, nullptr, nullptr, file) }
        , finestra(std::make_unique<frmSonoria>(platform))
    {
    }

    /** Shows the window and makes it the active one. */
    [[nodiscard]] bool mostra() { return mostraAttiva(finestra.get()); }

    Platform platform;
    std::unique_ptr<frmSonoria> finestra;
};

/** The per-test main window of a test class: made and shown by apri(), gone by chiudi(). */
struct ConFinestra {
    [[nodiscard]] bool apri(FileOps* file = nullptr)
    {
        m_prova = std::make_unique<FinestraDiProva>(file);
        m_fake = &m_prova->fake;
        m_win = m_prova->finestra.get();
        return m_prova->cartella.isValid() && m_prova->mostra();
    }
    void chiudi() { m_prova.reset(); }
    QString archivio() const { return m_prova->archivio(); }

    std::unique_ptr<FinestraDiProva> m_prova;
    FakePlatform* m_fake = nullptr;
    frmSonoria* m_win = nullptr;
};

} // namespace melodora::test
