#include "audio/frmVolume.h"

#include "archive/AppFilePath.h"
#include "audio/Volume.h"
#include "platform/Accessibile.h"
#include "platform/Controlli.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace melodora {

namespace {

    // Every text of the window that the user reads, in one place.
    const QString Didascalia = QStringLiteral("Volume");
    const QString TestoMassimo = QStringLiteral("Massimo");
    const QString TestoMinimo = QStringLiteral("Minimo");
    const QString TestoValoreNonNoto = QStringLiteral("valore");
    const QString TestoValore = QStringLiteral("Valore");
    const QString TestoChiudi = QStringLiteral("Chiudi");
    const QString MixerNonApribile = QStringLiteral("Impossibile aprire il mixer.");
    const QString TitoloErrore = QStringLiteral("Messaggio di errore");
    const QString NomeCursore = QStringLiteral("Volume");

    constexpr unsigned kGrigio = 0x00C0C0C0;
    constexpr int kIntervalloTimer = 10;

    int codicePulsanti(Qt::MouseButtons pulsanti)
    {
        int codice = 0;
        if (pulsanti & Qt::LeftButton)
            codice |= 1;
        if (pulsanti & Qt::RightButton)
            codice |= 2;
        if (pulsanti & Qt::MiddleButton)
            codice |= 4;
        return codice;
    }

    int codiceMaiuscole(Qt::KeyboardModifiers tasti)
    {
        int codice = 0;
        if (tasti & Qt::ShiftModifier)
            codice |= 1;
        if (tasti & Qt::ControlModifier)
            codice |= 2;
        if (tasti & Qt::AltModifier)
            codice |= 4;
        return codice;
    }

} // namespace

frmVolume::frmVolume(Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmVolume"));
    setWindowTitle(Didascalia);
    creaControlli();
    Form_Load();
}

frmVolume::~frmVolume() = default;

double frmVolume::twipsPerPixelX() const { return melodora::twipsPerPixelX(*this); }
double frmVolume::twipsPerPixelY() const { return melodora::twipsPerPixelY(*this); }

QRect frmVolume::daTwips(int left, int top, int width, int height) const
{
    return pixelDaTwips(*this, QRect(left, top, width, height));
}

void frmVolume::creaControlli()
{
    setFixedSize(daTwips(0, 0, 2715, 3000).size());
    setAutoFillBackground(true);
    coloraSfondo(this, coloreWindows(kGrigio));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(daTwips(120, 60, 2475, 2310));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label1 = creaEtichetta(
        Frame1, QStringLiteral("Label1"), TestoValore, daTwips(390, 150, 1965, 210));
    Text1 = new QLineEdit(QStringLiteral("0"), Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(daTwips(390, 375, 1965, 300));
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    QPalette nero = Text1->palette();
    nero.setColor(QPalette::Base, Qt::black);
    nero.setColor(QPalette::Text, Qt::white);
    Text1->setPalette(nero);
    Text1->installEventFilter(this);

    // The track and its knob: the knob lives inside the track, so its top is the
    // place on the track's scale.
    Picture4 = creaImmagine(Frame1, QStringLiteral("Picture4"), QStringLiteral("volume_traccia"),
        daTwips(390, 765, 540, 1305));
    Image1 = creaImmagine(Picture4, QStringLiteral("Image1"), QStringLiteral("volume_cursore"),
        daTwips(0, 0, 315, 165));
    // Moves over the knob count even with no button held.
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    // The knob takes the focus as a slider does, and then moves with the arrow keys.
    Image1->setAccessibleName(NomeCursore);
    Image1->setFocusPolicy(Qt::StrongFocus);
    mostraFuoco(Image1, Picture4); // the whole track: the knob is too small for a frame

    Label4[1] = creaEtichetta(
        Frame1, QStringLiteral("Label4"), TestoMassimo, daTwips(1080, 765, 1290, 210));
    Label3 = creaEtichetta(
        Frame1, QStringLiteral("Label3"), TestoValoreNonNoto, daTwips(1080, 975, 1290, 210));
    Label4[0] = creaEtichetta(
        Frame1, QStringLiteral("Label4"), TestoMinimo, daTwips(1080, 1650, 1290, 210));
    Label2 = creaEtichetta(
        Frame1, QStringLiteral("Label2"), TestoValoreNonNoto, daTwips(1080, 1860, 1290, 210));
    Label4[0]->setProperty("Index", 0);
    Label4[1]->setProperty("Index", 1);

    Command1 = new QPushButton(TestoChiudi, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(daTwips(750, 2490, 1215, 375));
    connect(Command1, &QPushButton::clicked, this, &frmVolume::Command1_Click);

    // Tab walks between the button and the knob. The number hands a focus it receives on
    // to the button, so Tab does not stop there: it would only ever bounce back.
    Text1->setFocusPolicy(Qt::ClickFocus);
    setTabOrder(Command1, Image1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &frmVolume::Timer1_Timer);
}

void frmVolume::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
    OpenMixer();
    InitSlider();
}

void frmVolume::OpenMixer()
{
    m_hMixer = m_platform.mixer.apri();
    if (!m_hMixer) {
        m_platform.messaggi.mostra(
            this, MixerNonApribile, TitoloErrore, Icona::Critica, Pulsanti::Ok);
        return;
    }
    if (Volume::GetVolumeControl(m_hMixer.get(), m_volumeControl)) {
        m_minValue = m_volumeControl.minimo;
        m_maxValue = m_volumeControl.massimo;
        Label2->setText(QString::number(m_minValue));
        Label3->setText(QString::number(m_maxValue));
    }
}

void frmVolume::InitSlider()
{
    Timer1->stop();
    Timer1->setInterval(kIntervalloTimer);
    const double corsa = altezzaTraccia() - altezzaCursore();
    const double larghezza = Picture4->width() * twipsPerPixelX();
    const double larghezzaCursore = Image1->width() * twipsPerPixelX();
    // The knob starts where the speakers are, so that the first drag starts from what the
    // user hears; only a mixer that cannot tell leaves it at a quarter of its travel.
    long letto = 0;
    const bool noto
        = m_maxValue > 0 && Volume::GetVolumeValue(m_hMixer.get(), m_volumeControl, letto);
    double top = corsa / 4;
    if (noto) {
        const double m = static_cast<double>(m_maxValue);
        top = corsa * (1.0 - std::clamp(static_cast<double>(letto), 0.0, m) / m);
    }
    Image1->move(qRound((larghezza - larghezzaCursore) / 2 / twipsPerPixelX()),
        qRound(top / twipsPerPixelY()));
    // The mixer's own value, which the nearest pixel of the track may miss by a little.
    Text1->setText(QString::number(noto ? letto : valoreCursore(topCursore())));
}

void frmVolume::ApplyVolume()
{
    m_currentVolume = Text1->text().toLong();
    Volume::SetVolumeControl(m_hMixer.get(), m_volumeControl, m_currentVolume);
}

double frmVolume::altezzaTraccia() const { return Picture4->height() * twipsPerPixelY(); }
double frmVolume::altezzaCursore() const { return Image1->height() * twipsPerPixelY(); }
double frmVolume::topCursore() const { return Image1->y() * twipsPerPixelY(); }

void frmVolume::spostaCursore(double top)
{
    Image1->move(Image1->x(), qRound(top / twipsPerPixelY()));
}

long frmVolume::valoreCursore(double top) const
{
    const double corsa = altezzaTraccia() - altezzaCursore();
    if (corsa <= 0)
        return 0;
    const double m = static_cast<double>(m_maxValue);
    return static_cast<long>(std::trunc(std::fabs(top * m / corsa - m)));
}

void frmVolume::Image1_MouseDown(int Button, int, float, float Y)
{
    Timer1->start();
    m_mouseButton = static_cast<short>(Button);
    // A press can come with no move before it (a window opened under the pointer, a
    // touch): the knob must not jump to wherever an older move left the pointer.
    m_pointerY = static_cast<float>(topCursore() + Y);
}

void frmVolume::Image1_MouseMove(int Button, int, float, float Y)
{
    m_mouseButton = static_cast<short>(Button);
    m_pointerY = static_cast<float>(topCursore() + Y);
    // Passing over the knob is no request: only a move with a button held sends the value.
    if (Button != 0)
        ApplyVolume();
}

void frmVolume::Image1_MouseUp(int Button, int, float, float)
{
    // A release within one tick of the last move would leave the knob, and the value
    // sent, short of where the pointer let go: take that last step first.
    if (Timer1->isActive())
        Timer1_Timer();
    Timer1->stop();
    m_mouseButton = static_cast<short>(Button);
    ApplyVolume();
}

void frmVolume::Timer1_Timer()
{
    // Only the left button drags; with any other the knob stays where it is rather
    // than leaping to the top of the track, the loudest place.
    double nuovoTop = topCursore();
    if (m_mouseButton == 1) {
        const double H = altezzaTraccia();
        const double h = altezzaCursore();
        nuovoTop = std::round(m_pointerY);
        if (nuovoTop + h > H)
            nuovoTop = H - h;
        if (nuovoTop < 0)
            nuovoTop = 0;
    }
    // A knob that stays put keeps the number shown: the mixer's own value at opening.
    if (qRound(nuovoTop / twipsPerPixelY()) != Image1->y()) {
        spostaCursore(nuovoTop);
        Text1->setText(QString::number(valoreCursore(topCursore())));
    }
}

bool frmVolume::Image1_KeyDown(int KeyCode)
{
    const int corsa = Picture4->height() - Image1->height(); // pixels
    const int pagina = std::max(1, corsa / 10);
    int y = Image1->y();
    switch (KeyCode) {
    case Qt::Key_Up:
        --y;
        break;
    case Qt::Key_Down:
        ++y;
        break;
    case Qt::Key_PageUp:
        y -= pagina;
        break;
    case Qt::Key_PageDown:
        y += pagina;
        break;
    case Qt::Key_Home:
        y = 0;
        break;
    case Qt::Key_End:
        y = corsa;
        break;
    default:
        return false;
    }
    // While the mouse drags the knob, the mouse has it.
    if (Timer1->isActive())
        return true;
    y = std::clamp(y, 0, std::max(0, corsa));
    if (y == Image1->y())
        return true;
    spostaCursore(y * twipsPerPixelY());
    Text1->setText(QString::number(valoreCursore(topCursore())));
    ApplyVolume();
    return true;
}

void frmVolume::Command1_Click() { accept(); }

void frmVolume::Text1_GotFocus() { Command1->setFocus(); }

void frmVolume::done(int risultato)
{
    Timer1->stop();
    m_hMixer.reset();
    QDialog::done(risultato);
}

bool frmVolume::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == Image1) {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<const QMouseEvent*>(evento);
            const int shift = codiceMaiuscole(mouse->modifiers());
            const auto X = static_cast<float>(mouse->position().x() * twipsPerPixelX());
            const auto Y = static_cast<float>(mouse->position().y() * twipsPerPixelY());
            if (evento->type() == QEvent::MouseMove)
                Image1_MouseMove(codicePulsanti(mouse->buttons()), shift, X, Y);
            else if (evento->type() == QEvent::MouseButtonRelease)
                Image1_MouseUp(codicePulsanti(mouse->button()), shift, X, Y);
            else // the second press of a double click is a press too
                Image1_MouseDown(codicePulsanti(mouse->button()), shift, X, Y);
            return true;
        }
        case QEvent::KeyPress: {
            const auto* tasto = static_cast<const QKeyEvent*>(evento);
            if (Image1_KeyDown(tasto->key()))
                return true;
            break;
        }
        default:
            break;
        }
    } else if (oggetto == Text1 && evento->type() == QEvent::FocusIn) {
        Text1_GotFocus();
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace melodora
