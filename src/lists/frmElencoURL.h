#pragma once

#include "archive/Scheda.h"
#include "lists/Elenchi.h"
#include "platform/Platform.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace melodora {

class CasellaElenco;
class ControlloRiproduzione;

/**
 * The audio list window: every card with an audio file, in title order, built when the
 * window opens. The selected entry's file plays, pauses and stops from here; a double click
 * hands the card to the main window and closes the list. Shown modally by the main window.
 */
class frmElencoURL : public QDialog {
    Q_OBJECT
public:
    /** @p mostraScheda is the main window's MostraScheda: it shows card n. */
    frmElencoURL(Platform& platform, std::function<void(qint64, const Scheda&)> mostraScheda,
        QWidget* parent = nullptr);
    ~frmElencoURL() override;

    // Handlers, named after the events they answer.
    void lstTrovati_Click();
    void lstTrovati_DblClick();
    void lblFaiClic_Click();
    void txtCerca_KeyPress(int& KeyAscii);
    void txtCerca_Change();
    void lstTrovati_MouseMove(QPoint punto);
    void cmdPlay_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    void cmdVolume_Click();
    void cmdStampa_Click();
    void cmdGuida_Click();
    void cmdChiudi_Click();

    /** Ends the playback of the current file if its device is open. */
    void CloseAudio();
    QString ShortPath(const QString& percorso) const;

    void done(int esito) override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void creaControlli();
    void Form_Load();
    void Form_Unload();
    void costruisciElenco();
    /** The current file: lblMP3's caption without the blanks that fill the field. */
    QString fileCorrente() const;
    /** The card an entry names, read afresh from the archive; none when it is gone. */
    std::optional<SchedaTrovata> schedaDellaVoce(const QString& voce) const;

    Platform& m_platform;
    std::function<void(qint64, const Scheda&)> m_mostraScheda;
    std::unique_ptr<ControlloRiproduzione> m_riproduzione;
    bool m_scaricata = false;

public:
    // Controls, named as the window's design names them (objectName too).
    QFrame* picContainer = nullptr;
    QLabel* imgTitolo = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblCerca = nullptr;
    QLineEdit* txtCerca = nullptr;
    CasellaElenco* lstTrovati = nullptr;
    QLabel* lblMP3 = nullptr;
    QToolButton* cmdPlay = nullptr;
    QToolButton* cmdPause = nullptr;
    QToolButton* cmdStop = nullptr;
    QToolButton* cmdVolume = nullptr;
    QToolButton* cmdStampa = nullptr;
    QLabel* lblTrovati = nullptr;
    QToolButton* cmdGuida = nullptr;
    QToolButton* cmdChiudi = nullptr;
    QLabel* lblFaiClic = nullptr;
};

} // namespace melodora
