// The main window's construction, start-up and closing, the three picture buttons and
// the buttons that open the other windows.
#include "main_window/frmSonoria.h"

#include "archive/AppFilePath.h"
#include "audio/frmVolume.h"
#include "lists/frmElencoURL.h"
#include "lists/frmFindInviata.h"
#include "mail_about/Autore.h"
#include "main_window/AnimazioneTitolo.h"
#include "main_window/Generi.h"
#include "main_window/TestiSonoria.h"
#include "platform/ColoreFuoco.h"
#include "platform/Controlli.h"
#include "platform/ImmaginePremibile.h"
#include "printing/frmStampa.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace melodora {

using namespace testi_sonoria;

namespace {
    // Home positions and sizes of the three picture buttons, in twips (left, top).
    constexpr QPoint kCasaGuida { 7650, 90 };
    constexpr QPoint kCasaRights { 180, 6975 };
    constexpr QPoint kCasaEsci { 7785, 7020 };

    // Arial at 9.75 points, the fields' font.
    QFont carattereCampi()
    {
        QFont carattere(QStringLiteral("Arial"), 10);
        carattere.setPointSizeF(9.75);
        return carattere;
    }

    // A white single-line field that holds at most its record field's length.
    QLineEdit* casella(QWidget* parent, const QString& nome, Campo c, QRect posto)
    {
        auto* e = new QLineEdit(parent);
        e->setObjectName(nome);
        e->setMaxLength(info(c).lunghezza);
        e->setGeometry(posto);
        e->setFont(carattereCampi());
        coloraSfondo(e, Qt::white);
        return e;
    }
}

frmSonoria::frmSonoria(Platform& platform, QWidget* parent)
    : QWidget(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmSonoria"));
    setWindowTitle(Didascalia);
    setAcceptDrops(true);
    creaControlli();
    Form_Load();
}

frmSonoria::~frmSonoria() = default;

QString frmSonoria::percorsoArchivio() const { return AppFilePath(QStringLiteral("Sonoria.sng")); }

// ---------------------------------------------------------------------------------------
// The controls

void frmSonoria::creaControlli()
{
    setFixedSize(545, 492);
    setAutoFillBackground(true);
    QPalette sfondo = palette();
    sfondo.setColor(QPalette::Window, QColor(0xD8, 0xE0, 0xEC));
    setPalette(sfondo);

    creaImmagine(this, QStringLiteral("imgTitolo"), QStringLiteral("titolo"), { 12, 6, 260, 46 });
    creaImmagine(this, QStringLiteral("imgCD"), QStringLiteral("cd"), { 280, 6, 46, 46 });
    creaComandi();
    creaCampi();
    creaAudio();
    creaImmagini();
    // The title animation: element 0 shows the first image, still.
    animazione = new AnimazioneTitolo(this, { 446, 6, 50, 88 });
    auto* lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();
    collegaControlli();
}

void frmSonoria::creaComandi()
{
    picControlli = creaCornice(this, QStringLiteral("picControlli"), { 12, 58, 236, 44 });
    cmdTrova = creaPulsante(picControlli, QStringLiteral("cmdTrova"), QStringLiteral("trova"),
        TipTrova, { 4, 4, 36, 36 });
    cmdListaMP3 = creaPulsante(picControlli, QStringLiteral("cmdListaMP3"),
        QStringLiteral("listamp3"), TipListaMP3, { 42, 4, 36, 36 });
    cmdNuovo = creaPulsante(picControlli, QStringLiteral("cmdNuovo"), QStringLiteral("nuovo"),
        TipNuovo, { 80, 4, 36, 36 });
    cmdSalva = creaPulsante(picControlli, QStringLiteral("cmdSalva"), QStringLiteral("salva"),
        TipSalva, { 118, 4, 36, 36 });
    cmdElimina = creaPulsante(picControlli, QStringLiteral("cmdElimina"), QStringLiteral("elimina"),
        TipElimina, { 156, 4, 36, 36 });
    cmdStampa = creaPulsante(picControlli, QStringLiteral("cmdStampa"), QStringLiteral("stampa"),
        TipStampa, { 194, 4, 36, 36 });

    cmdPrimo = creaPulsante(
        this, QStringLiteral("cmdPrimo"), QStringLiteral("primo"), TipPrimo, { 262, 64, 32, 32 });
    cmdIndietro = creaPulsante(this, QStringLiteral("cmdIndietro"), QStringLiteral("indietro"),
        TipIndietro, { 296, 64, 32, 32 });
    cmdAvanti = creaPulsante(this, QStringLiteral("cmdAvanti"), QStringLiteral("avanti"), TipAvanti,
        { 330, 64, 32, 32 });
    cmdUltimo = creaPulsante(this, QStringLiteral("cmdUltimo"), QStringLiteral("ultimo"), TipUltimo,
        { 364, 64, 32, 32 });
    lblPosizione = new QLabel(this);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(400, 64, 42, 32);
    lblPosizione->setFont(QFont(QStringLiteral("MS Sans Serif"), 10, QFont::Bold));
    lblPosizione->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void frmSonoria::creaCampi()
{
    picContainer02 = creaCornice(this, QStringLiteral("picContainer02"), { 12, 104, 521, 150 });
    QWidget* const p = picContainer02;
    creaImmagine(p, QStringLiteral("imgBrano"), QStringLiteral("brano"), { 8, 25, 16, 16 });
    creaEtichetta(p, QStringLiteral("lblBrano"), EtichettaBrano, { 30, 6, 200, 16 });
    txtBrano = casella(p, QStringLiteral("txtBrano"), Campo::Brano, { 30, 22, 482, 22 });
    creaImmagine(p, QStringLiteral("imgArtista"), QStringLiteral("artista"), { 8, 69, 16, 16 });
    creaEtichetta(p, QStringLiteral("lblArtista"), EtichettaArtista, { 30, 50, 200, 16 });
    txtArtista = casella(p, QStringLiteral("txtArtista"), Campo::Artista, { 30, 66, 232, 22 });
    creaEtichetta(p, QStringLiteral("lblAlbum"), EtichettaAlbum, { 272, 50, 200, 16 });
    txtAlbum = casella(p, QStringLiteral("txtAlbum"), Campo::Album, { 272, 66, 240, 22 });
    auto* picGenere = creaImmagine(
        p, QStringLiteral("picGenere"), QStringLiteral("genere"), { 8, 113, 16, 16 });
    picGenere->setToolTip(TipGenere);
    picGenere->setAccessibleName(TipGenere.trimmed()); // a picture only: it does nothing
    creaEtichetta(p, QStringLiteral("lblGenere"), EtichettaGenere, { 30, 94, 160, 16 });
    txtGenere = new QComboBox(p);
    txtGenere->setObjectName(QStringLiteral("txtGenere"));
    txtGenere->setEditable(true);
    txtGenere->setInsertPolicy(QComboBox::NoInsert);
    // The genre is stored as typed: the editable box's own completer would finish "Latino"
    // as "Latino-americana" and turn "rock" into "Rock". Without it, Enter picks a list
    // entry only when the text matches one exactly, case included.
    txtGenere->setCompleter(nullptr);
    txtGenere->setGeometry(30, 110, 160, 22);
    txtGenere->setFont(carattereCampi());
    txtGenere->setMaxVisibleItems(15);
    txtGenere->lineEdit()->setMaxLength(32767); // the key handler keeps the 40-character rule
    creaEtichetta(p, QStringLiteral("lblAnno"), EtichettaAnno, { 200, 94, 62, 16 });
    txtAnno = casella(p, QStringLiteral("txtAnno"), Campo::Anno, { 200, 110, 62, 22 });
    creaEtichetta(p, QStringLiteral("lblNote"), EtichettaNote, { 272, 94, 240, 16 });
    txtNote = casella(p, QStringLiteral("txtNote"), Campo::Note, { 272, 110, 240, 22 });
    auto* linSepara = new QFrame(p);
    linSepara->setObjectName(QStringLiteral("linSepara"));
    linSepara->setFrameShape(QFrame::HLine);
    linSepara->setFrameShadow(QFrame::Sunken);
    linSepara->setGeometry(8, 140, 505, 4);

    creaEtichetta(this, QStringLiteral("lblTesto"), EtichettaTesto, { 14, 258, 200, 16 });
    txtTesto = new QPlainTextEdit(this);
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    txtTesto->setGeometry(12, 274, 521, 110);
    txtTesto->setFont(carattereCampi());
    txtTesto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtTesto->setTabChangesFocus(true);
    coloraSfondo(txtTesto, Qt::white);
}

void frmSonoria::creaAudio()
{
    picContainer01 = creaCornice(this, QStringLiteral("picContainer01"), { 12, 390, 521, 72 });
    QWidget* const p = picContainer01;
    creaImmagine(p, QStringLiteral("imgMP3"), QStringLiteral("mp3"), { 8, 23, 16, 16 });
    creaEtichetta(p, QStringLiteral("lblMP3"), EtichettaMP3, { 30, 4, 200, 16 });
    txtMP3 = casella(p, QStringLiteral("txtMP3"), Campo::MP3, { 30, 20, 354, 22 });
    txtMP3->setReadOnly(true);
    picGomma = creaCornice(p, QStringLiteral("picGomma"), { 390, 18, 26, 26 });
    imgGomma = new ImmaginePremibile(
        picGomma, QStringLiteral("imgGomma"), QStringLiteral("gomma"), TipGomma, { 3, 3, 20, 20 });
    cmdSfoglia = new QPushButton(Sfoglia, p);
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setGeometry(422, 19, 90, 24);
    cmdPlay = creaPulsante(
        p, QStringLiteral("cmdPlay"), QStringLiteral("play"), {}, { 30, 44, 28, 24 });
    cmdPause = creaPulsante(
        p, QStringLiteral("cmdPause"), QStringLiteral("pause"), {}, { 60, 44, 28, 24 });
    cmdStop = creaPulsante(
        p, QStringLiteral("cmdStop"), QStringLiteral("stop"), {}, { 90, 44, 28, 24 });
    cmdVolume = creaPulsante(
        p, QStringLiteral("cmdVolume"), QStringLiteral("volume"), {}, { 130, 44, 28, 24 });
    cmdPlay->setAccessibleName(QStringLiteral("Riproduci"));
    cmdPause->setAccessibleName(QStringLiteral("Pausa"));
    cmdStop->setAccessibleName(QStringLiteral("Ferma"));
    cmdVolume->setAccessibleName(QStringLiteral("Volume"));
    cmdPlay->setEnabled(false);
    cmdPause->setEnabled(false);
    cmdStop->setEnabled(false);
}

void frmSonoria::creaImmagini()
{
    imgGuida = new ImmaginePremibile(
        this, QStringLiteral("imgGuida"), QStringLiteral("guida"), TipGuida);
    imgGuida->mettiACasa(kCasaGuida, { 435, 420 });
    picRights = new ImmaginePremibile(
        this, QStringLiteral("picRights"), QStringLiteral("rights"), TipRights);
    picRights->mettiACasa(kCasaRights, { 345, 330 });
    imgEsci
        = new ImmaginePremibile(this, QStringLiteral("imgEsci"), QStringLiteral("esci"), TipEsci);
    imgEsci->mettiACasa(kCasaEsci, { 255, 270 });
}

void frmSonoria::collegaControlli()
{
    connect(cmdPrimo, &QToolButton::clicked, this, &frmSonoria::cmdPrimo_Click);
    connect(cmdIndietro, &QToolButton::clicked, this, &frmSonoria::cmdIndietro_Click);
    connect(cmdAvanti, &QToolButton::clicked, this, &frmSonoria::cmdAvanti_Click);
    connect(cmdUltimo, &QToolButton::clicked, this, &frmSonoria::cmdUltimo_Click);
    connect(cmdNuovo, &QToolButton::clicked, this, &frmSonoria::cmdNuovo_Click);
    connect(cmdSalva, &QToolButton::clicked, this, &frmSonoria::cmdSalva_Click);
    connect(cmdElimina, &QToolButton::clicked, this, &frmSonoria::cmdElimina_Click);
    connect(cmdTrova, &QToolButton::clicked, this, &frmSonoria::cmdTrova_Click);
    connect(cmdListaMP3, &QToolButton::clicked, this, &frmSonoria::cmdListaMP3_Click);
    connect(cmdStampa, &QToolButton::clicked, this, &frmSonoria::cmdStampa_Click);
    connect(cmdVolume, &QToolButton::clicked, this, &frmSonoria::cmdVolume_Click);
    connect(cmdSfoglia, &QPushButton::clicked, this, &frmSonoria::cmdSfoglia_Click);
    connect(cmdPlay, &QToolButton::clicked, this, &frmSonoria::cmdPlay_Click);
    connect(cmdPause, &QToolButton::clicked, this, &frmSonoria::cmdPause_Click);
    connect(cmdStop, &QToolButton::clicked, this, &frmSonoria::cmdStop_Click);
    connect(imgGomma, &ImmaginePremibile::rilasciata, this, &frmSonoria::imgGomma_MouseUp);
    connect(imgGuida, &ImmaginePremibile::rilasciata, this, &frmSonoria::imgGuida_MouseUp);
    connect(picRights, &ImmaginePremibile::rilasciata, this, &frmSonoria::picRights_MouseUp);
    connect(imgEsci, &ImmaginePremibile::rilasciata, this, &frmSonoria::imgEsci_MouseUp);
    connect(txtMP3, &QLineEdit::textChanged, this, &frmSonoria::txtMP3_Change);
    connect(txtTesto->document(), &QTextDocument::contentsChanged, this, &frmSonoria::limitaTesto);

    // Key handlers, drops, and the focus colour of the eight fields.
    for (QWidget* w : std::initializer_list<QWidget*> { txtBrano, txtArtista, txtAlbum, txtGenere,
             txtAnno, txtNote, txtTesto, txtMP3, txtGenere->lineEdit() })
        w->installEventFilter(this);
    txtTesto->viewport()->installEventFilter(this); // where the text box receives drops
    for (QWidget* w : std::initializer_list<QWidget*> {
             txtBrano, txtArtista, txtAlbum, txtAnno, txtNote, txtTesto, txtMP3 })
        new ColoreFuoco(w, Qt::white);
    (new ColoreFuoco(txtGenere, Qt::white))->segui(txtGenere->lineEdit());

    // The fields in the order Enter walks them; the audio path comes after the browse button.
    const QList<QWidget*> ordine { txtBrano, txtArtista, txtAlbum, txtGenere, txtAnno, txtNote,
        txtTesto, cmdSfoglia, txtMP3, imgGomma, cmdPlay, cmdPause, cmdStop, cmdVolume, cmdTrova,
        cmdListaMP3, cmdNuovo, cmdSalva, cmdElimina, cmdStampa, cmdPrimo, cmdIndietro, cmdAvanti,
        cmdUltimo, imgGuida, picRights, imgEsci };
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine.at(i - 1), ordine.at(i));
}

// ---------------------------------------------------------------------------------------
// Start-up and closing

void frmSonoria::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
    txtGenere->clear();
    txtGenere->addItems(generiMusicali()); // one insertion, not one per genre
    txtGenere->setCurrentIndex(-1);
    txtGenere->setEditText(QString());
    animazione->estrai();
}

void frmSonoria::Form_Unload() { CloseAudio(); }

void frmSonoria::closeEvent(QCloseEvent* evento)
{
    if (!m_scaricata) {
        m_scaricata = true;
        Form_Unload();
    }
    evento->accept();
}

bool frmSonoria::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (trascinamentoSuCampo(oggetto, evento))
        return true;
    if (evento->type() == QEvent::KeyPress) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        int KeyAscii = codiceAscii(tasto);
        if (KeyAscii == 0)
            return false; // a key that produces no character (Delete, arrows)
        if (oggetto == txtGenere || oggetto == txtGenere->lineEdit())
            txtGenere_KeyPress(KeyAscii);
        else if (oggetto == txtMP3)
            txtMP3_KeyPress(KeyAscii);
        else if (oggetto == txtBrano || oggetto == txtArtista || oggetto == txtAlbum
            || oggetto == txtAnno || oggetto == txtNote)
            campo_KeyPress(KeyAscii);
        else
            return false;
        return KeyAscii == 0;
    }
    return QWidget::eventFilter(oggetto, evento);
}

// ---------------------------------------------------------------------------------------
// The three picture buttons

void frmSonoria::imgGuida_MouseUp() { m_platform.tasti.inviaTasti(QStringLiteral("{F1}")); }

void frmSonoria::picRights_MouseUp()
{
    // Shown before this window closes, so that the program never runs out of windows.
    Platform& platform = m_platform;
    auto* autore = new Autore(platform, [&platform] { return new frmSonoria(platform); });
    autore->setAttribute(Qt::WA_DeleteOnClose);
    autore->move(geometry().center() - autore->rect().center());
    autore->show();
    // Form_Unload stops the playback. The program's main window deletes itself when
    // closed (later, once this event is handled); one owned by someone else only hides.
    close();
}

void frmSonoria::imgEsci_MouseUp()
{
    close();
    // The exit picture ends the program at once, whatever else is open.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

// ---------------------------------------------------------------------------------------
// The other windows

void frmSonoria::cmdTrova_Click()
{
    CloseAudio();
    frmFindInviata trova(
        m_platform, [this](qint64 n, const Scheda& s) { MostraScheda(n, s); }, this);
    trova.exec();
}

void frmSonoria::cmdListaMP3_Click()
{
    CloseAudio();
    frmElencoURL elenco(
        m_platform, [this](qint64 n, const Scheda& s) { MostraScheda(n, s); }, this);
    elenco.exec();
}

TestiScheda frmSonoria::testiDaStampare() const
{
    return { togliSpazi(txtBrano->text()), togliSpazi(txtArtista->text()),
        togliSpazi(txtAlbum->text()), togliSpazi(txtGenere->currentText()),
        togliSpazi(txtAnno->text()), togliSpazi(txtNote->text()),
        togliSpazi(txtTesto->toPlainText()) };
}

void frmSonoria::cmdStampa_Click()
{
    // No archive file stays open between two handlers, so there is none to close here;
    // the playback goes on.
    frmStampa stampa(m_platform, testiDaStampare(), txtBrano, this);
    stampa.exec();
}

void frmSonoria::cmdVolume_Click()
{
    // The playback goes on.
    frmVolume volume(m_platform, this);
    volume.exec();
}

} // namespace melodora
