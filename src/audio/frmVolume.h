#pragma once

#include "platform/Platform.h"

#include <QDialog>

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace melodora {

/**
 * The volume window: a vertical slider over the speakers' volume of the system mixer.
 * Each opening reads the speakers' current volume and puts the knob there, showing that
 * value; a mixer that cannot tell leaves the knob at a quarter of its travel. Opening and
 * passing over the knob leave the mixer alone: the knob is dragged with the left button,
 * and a move with a button held and the release send the value shown to the mixer.
 *
 * The mouse handlers take the button (1 left, 2 right, 4 middle), the shift state
 * (1 Shift, 2 Ctrl, 4 Alt) and the pointer's position within the knob in twips, the
 * window's unit; positions and sizes of the controls are designed in twips too.
 */
class frmVolume : public QDialog {
    Q_OBJECT
public:
    frmVolume(Platform& platform, QWidget* parent = nullptr);
    ~frmVolume() override;

    void Command1_Click();
    void Text1_GotFocus();
    void Timer1_Timer();
    void Image1_MouseDown(int Button, int Shift, float X, float Y);
    void Image1_MouseMove(int Button, int Shift, float X, float Y);
    void Image1_MouseUp(int Button, int Shift, float X, float Y);
    /**
     * The knob from the keyboard (Qt key codes): Up and Down move it one pixel, Page Up and
     * Page Down a tenth of its travel, Home and End to the top and the bottom; a move sends
     * the new value as the mouse does. False for any other key.
     */
    bool Image1_KeyDown(int KeyCode);

    /** The slider's value for the knob's top at @p top twips within the track. */
    long valoreCursore(double top) const;

    /** The knob's top within the track, in twips. */
    double topCursore() const;

    /** Twips per pixel of the screen, horizontally and vertically. */
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

    /** Closing the window, however it happens, stops the knob and releases the mixer. */
    void done(int risultato) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaControlli();
    void Form_Load();
    void OpenMixer();
    void InitSlider();
    void ApplyVolume();
    /** Moves the knob so that its top lies at @p top twips within the track. */
    void spostaCursore(double top);
    /** A rectangle designed in twips, in pixels of this screen. */
    QRect daTwips(int left, int top, int width, int height) const;
    double altezzaTraccia() const;
    double altezzaCursore() const;

    Platform& m_platform;
    std::unique_ptr<Mixer> m_hMixer;
    ControlloVolume m_volumeControl; ///< empty (no name) until found
    long m_minValue = 0;
    long m_maxValue = 0;
    long m_currentVolume = 0;
    short m_mouseButton = 0;
    float m_pointerY = 0;

public:
    // Controls, named as the window's design names them (objectName too). The two
    // labels of the Label4 array share the name and carry their index as "Index".
    QFrame* Frame1 = nullptr;
    QLabel* Picture4 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 2> Label4 {}; ///< [1] "Massimo" by the top, [0] "Minimo" by the bottom
    QLabel* Label3 = nullptr; ///< the control's maximum
    QLabel* Label2 = nullptr; ///< the control's minimum
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QTimer* Timer1 = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace melodora
