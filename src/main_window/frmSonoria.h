#pragma once

#include "archive/Redazione.h"
#include "archive/Scheda.h"
#include "audio/Riproduzione.h"
#include "main_window/AnimazioneTitolo.h"
#include "platform/ImmaginePremibile.h"
#include "platform/Platform.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace melodora {

struct TestiScheda;

/**
 * The main window: the card editor, navigation, saving and deleting, the audio file
 * and its playback, the title animation, and the buttons that open the other windows.
 * Handlers carry the names of the events they answer; tests call them directly or
 * click the real widgets.
 */
class frmSonoria : public QWidget {
    Q_OBJECT
public:
    explicit frmSonoria(Platform& platform, QWidget* parent = nullptr);
    ~frmSonoria() override;

    /** Puts card @p n into the eight fields and its number into lblPosizione. */
    void MostraScheda(qint64 n, const Scheda& scheda);

    /** The card number on display, read back from lblPosizione (0 for none). */
    qint64 numeroCorrente() const;

    /** " n": the caption of lblPosizione for card n. */
    static QString TestoPosizione(qint64 n);

    // Navigation and clearing.
    void cmdPrimo_Click();
    void cmdIndietro_Click();
    void cmdAvanti_Click();
    void cmdUltimo_Click();
    void cmdNuovo_Click();

    // Saving and deleting.
    void cmdSalva_Click();
    void cmdElimina_Click();
    void imgGomma_MouseUp();
    Scheda SchedaDaCampi() const;

    // Audio file and playback.
    void cmdSfoglia_Click();
    void txtMP3_Change();
    void txtMP3_KeyPress(int& KeyAscii);
    void cmdPlay_Click();
    void cmdPause_Click();
    void cmdStop_Click();
    void CloseAudio();
    QString ShortPath(const QString& percorso);

    // Field editing.
    void txtGenere_KeyPress(int& KeyAscii);
    /** Enter in the single-line fields queues a Tab. */
    void campo_KeyPress(int& KeyAscii);

    // The other windows and the three pictures.
    void cmdTrova_Click();
    void cmdListaMP3_Click();
    void cmdStampa_Click();
    /** What the card print dialog prints: the fields as they stand, without their blanks. */
    TestiScheda testiDaStampare() const;
    void cmdVolume_Click();
    /** The three pictures' actions; their press effect is their own. */
    void imgGuida_MouseUp();
    void picRights_MouseUp();
    void imgEsci_MouseUp();

    /** Dropped files and folders: audio files fill the card being typed or become cards. */
    void Form_OLEDragDrop(const QStringList& percorsi);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dragMoveEvent(QDragMoveEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

private:
    void creaControlli();
    void creaComandi();
    void creaCampi();
    void creaAudio();
    void creaImmagini();
    void collegaControlli();
    void Form_Load();
    void Form_Unload();
    void naviga(Verso verso);
    /** Tells the user that another program holds the archive; false for any other outcome. */
    bool archivioOccupato(const Esito& esito);
    void limitaTesto();
    QString percorsoArchivio() const;
    ControlloRiproduzione& riproduzione();
    /** Sends files dropped onto a field to the window; true when the event was one. */
    bool trascinamentoSuCampo(QObject* oggetto, QEvent* evento);
    void riempiDaTag(const QString& percorso);
    void aggiungiFileAudio(const QStringList& file);

    Platform& m_platform;

public:
    // Controls, named as the window's design names them (objectName too).
    QFrame* picControlli = nullptr;
    QToolButton* cmdTrova = nullptr;
    QToolButton* cmdListaMP3 = nullptr;
    QToolButton* cmdNuovo = nullptr;
    QToolButton* cmdSalva = nullptr;
    QToolButton* cmdElimina = nullptr;
    QToolButton* cmdStampa = nullptr;
    QToolButton* cmdPrimo = nullptr;
    QToolButton* cmdIndietro = nullptr;
    QToolButton* cmdAvanti = nullptr;
    QToolButton* cmdUltimo = nullptr;
    QLabel* lblPosizione = nullptr;
    QFrame* picContainer02 = nullptr;
    QLineEdit* txtBrano = nullptr;
    QLineEdit* txtArtista = nullptr;
    QLineEdit* txtAlbum = nullptr;
    QComboBox* txtGenere = nullptr;
    QLineEdit* txtAnno = nullptr;
    QLineEdit* txtNote = nullptr;
    QPlainTextEdit* txtTesto = nullptr;
    QFrame* picContainer01 = nullptr;
    QLineEdit* txtMP3 = nullptr;
    QPushButton* cmdSfoglia = nullptr;
    QToolButton* cmdPlay = nullptr;
    QToolButton* cmdPause = nullptr;
    QToolButton* cmdStop = nullptr;
    QToolButton* cmdVolume = nullptr;
    QFrame* picGomma = nullptr;
    ImmaginePremibile* imgGomma = nullptr;
    ImmaginePremibile* imgGuida = nullptr;
    ImmaginePremibile* picRights = nullptr;
    ImmaginePremibile* imgEsci = nullptr;
    /** The title picture Image1 and its timer tmrAniGif. */
    AnimazioneTitolo* animazione = nullptr;

private:
    /** Shows a card's lyrics: CR LF in the archive, a bare LF inside the text widget. */
    void mostraTesto(const Scheda& scheda);

    /** The card on display as read or last written: a save or delete checks it is unchanged. */
    std::optional<Scheda> m_vista;
    std::optional<ControlloRiproduzione> m_riproduzione;
    bool m_limitando = false;
    bool m_scaricata = false;
};

} // namespace melodora
