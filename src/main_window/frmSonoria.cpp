#include "main_window/frmSonoria.h"

#include "archive/AppFilePath.h"
#include "main_window/Generi.h"
#include "main_window/TestiSonoria.h"
#include "platform/Accessibile.h"
#include "platform/Controlli.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace melodora {

using namespace testi_sonoria;

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

double frmSonoria::twipsPerPixelX() const { return 1440.0 / logicalDpiX(); }
double frmSonoria::twipsPerPixelY() const { return 1440.0 / logicalDpiY(); }

void frmSonoria::creaControlli()
{
    setFixedSize(545, 492);
    setAutoFillBackground(true);
    QPalette sfondo = palette();
    sfondo.setColor(QPalette::Window, QColor(0xD8, 0xE0, 0xEC));
    setPalette(sfondo);

    creaImmagine(this, QStringLiteral("imgTitolo"), QStringLiteral("titolo"), { 12, 6, 260, 46 });
    creaImmagine(this, QStringLiteral("imgCD"), QStringLiteral("cd"), { 280, 6, 46, 46 });

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

    // The card's fields.
    picContainer02 = creaCornice(this, QStringLiteral("picContainer02"), { 12, 104, 521, 150 });
    const QFont carattereCampi(QStringLiteral("Arial"), 10); // 9.75 points
    QFont carattere = carattereCampi;
    carattere.setPointSizeF(9.75);
    auto campo = [&](const QString& nome, int maxLen, QRect r) {
        auto* e = new QLineEdit(picContainer02);
        e->setObjectName(nome);
        e->setMaxLength(maxLen);
        e->setGeometry(r);
        e->setFont(carattere);
        coloraSfondo(e, Qt::white);
        return e;
    };
    creaImmagine(
        picContainer02, QStringLiteral("imgBrano"), QStringLiteral("brano"), { 8, 25, 16, 16 });
    creaEtichetta(picContainer02, QStringLiteral("lblBrano"), EtichettaBrano, { 30, 6, 200, 16 });
    txtBrano = campo(QStringLiteral("txtBrano"), info(Campo::Brano).lunghezza, { 30, 22, 482, 22 });
    creaImmagine(
        picContainer02, QStringLiteral("imgArtista"), QStringLiteral("artista"), { 8, 69, 16, 16 });
    creaEtichetta(
        picContainer02, QStringLiteral("lblArtista"), EtichettaArtista, { 30, 50, 200, 16 });
    txtArtista
        = campo(QStringLiteral("txtArtista"), info(Campo::Artista).lunghezza, { 30, 66, 232, 22 });
    creaEtichetta(picContainer02, QStringLiteral("lblAlbum"), EtichettaAlbum, { 272, 50, 200, 16 });
    txtAlbum
        = campo(QStringLiteral("txtAlbum"), info(Campo::Album).lunghezza, { 272, 66, 240, 22 });
    auto* picGenere = creaImmagine(
        picContainer02, QStringLiteral("picGenere"), QStringLiteral("genere"), { 8, 113, 16, 16 });
    picGenere->setToolTip(TipGenere);
    picGenere->setAccessibleName(TipGenere.trimmed()); // a picture only: it does nothing
    creaEtichetta(
        picContainer02, QStringLiteral("lblGenere"), EtichettaGenere, { 30, 94, 160, 16 });
    txtGenere = new QComboBox(picContainer02);
    txtGenere->setObjectName(QStringLiteral("txtGenere"));
    txtGenere->setEditable(true);
    txtGenere->setInsertPolicy(QComboBox::NoInsert);
    // The genre is stored as typed: the editable box's own completer would finish "Latino"
    // as "Latino-americana" and turn "rock" into "Rock". Without it, Enter picks a list
    // entry only when the text matches one exactly, case included.
    txtGenere->setCompleter(nullptr);
    txtGenere->setGeometry(30, 110, 160, 22);
    txtGenere->setFont(carattere);
    txtGenere->setMaxVisibleItems(15);
    txtGenere->lineEdit()->setMaxLength(32767); // the key handler keeps the 40-character rule
    creaEtichetta(picContainer02, QStringLiteral("lblAnno"), EtichettaAnno, { 200, 94, 62, 16 });
    txtAnno = campo(QStringLiteral("txtAnno"), info(Campo::Anno).lunghezza, { 200, 110, 62, 22 });
    creaEtichetta(picContainer02, QStringLiteral("lblNote"), EtichettaNote, { 272, 94, 240, 16 });
    txtNote = campo(QStringLiteral("txtNote"), info(Campo::Note).lunghezza, { 272, 110, 240, 22 });
    auto* linSepara = new QFrame(picContainer02);
    linSepara->setObjectName(QStringLiteral("linSepara"));
    linSepara->setFrameShape(QFrame::HLine);
    linSepara->setFrameShadow(QFrame::Sunken);
    linSepara->setGeometry(8, 140, 505, 4);

    creaEtichetta(this, QStringLiteral("lblTesto"), EtichettaTesto, { 14, 258, 200, 16 });
    txtTesto = new QPlainTextEdit(this);
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    txtTesto->setGeometry(12, 274, 521, 110);
    txtTesto->setFont(carattere);
    txtTesto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtTesto->setTabChangesFocus(true);
    coloraSfondo(txtTesto, Qt::white);
    connect(txtTesto->document(), &QTextDocument::contentsChanged, this, &frmSonoria::limitaTesto);

    // The audio file and its playback.
    picContainer01 = creaCornice(this, QStringLiteral("picContainer01"), { 12, 390, 521, 72 });
    creaImmagine(
        picContainer01, QStringLiteral("imgMP3"), QStringLiteral("mp3"), { 8, 23, 16, 16 });
    creaEtichetta(picContainer01, QStringLiteral("lblMP3"), EtichettaMP3, { 30, 4, 200, 16 });
    txtMP3 = new QLineEdit(picContainer01);
    txtMP3->setObjectName(QStringLiteral("txtMP3"));
    txtMP3->setReadOnly(true);
    txtMP3->setMaxLength(info(Campo::MP3).lunghezza);
    txtMP3->setGeometry(30, 20, 354, 22);
    txtMP3->setFont(carattere);
    coloraSfondo(txtMP3, Qt::white);
    connect(txtMP3, &QLineEdit::textChanged, this, [this] { txtMP3_Change(); });
    picGomma = creaCornice(picContainer01, QStringLiteral("picGomma"), { 390, 18, 26, 26 });
    imgGomma = creaImmagine(
        picGomma, QStringLiteral("imgGomma"), QStringLiteral("gomma"), { 3, 3, 20, 20 });
    imgGomma->setToolTip(TipGomma);
    imgGomma->setCursor(Qt::PointingHandCursor);
    imgGomma->installEventFilter(this);
    rendiAttivabile(imgGomma, TipGomma.trimmed(), nullptr, [this] { imgGomma_MouseUp(); });
    cmdSfoglia = new QPushButton(Sfoglia, picContainer01);
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setGeometry(422, 19, 90, 24);
    cmdPlay = creaPulsante(
        picContainer01, QStringLiteral("cmdPlay"), QStringLiteral("play"), {}, { 30, 44, 28, 24 });
    cmdPause = creaPulsante(picContainer01, QStringLiteral("cmdPause"), QStringLiteral("pause"), {},
        { 60, 44, 28, 24 });
    cmdStop = creaPulsante(
        picContainer01, QStringLiteral("cmdStop"), QStringLiteral("stop"), {}, { 90, 44, 28, 24 });
    cmdVolume = creaPulsante(picContainer01, QStringLiteral("cmdVolume"), QStringLiteral("volume"),
        {}, { 130, 44, 28, 24 });
    cmdPlay->setAccessibleName(QStringLiteral("Riproduci"));
    cmdPause->setAccessibleName(QStringLiteral("Pausa"));
    cmdStop->setAccessibleName(QStringLiteral("Ferma"));
    cmdVolume->setAccessibleName(QStringLiteral("Volume"));
    cmdPlay->setEnabled(false);
    cmdPause->setEnabled(false);
    cmdStop->setEnabled(false);

    // The three picture buttons, at their home positions in twips.
    imgGuida = creaImmagine(this, QStringLiteral("imgGuida"), QStringLiteral("guida"), {});
    imgGuida->resize(qRound(435 / twipsPerPixelX()), qRound(420 / twipsPerPixelY()));
    imgGuida->setToolTip(TipGuida);
    picRights = creaImmagine(this, QStringLiteral("picRights"), QStringLiteral("rights"), {});
    picRights->resize(qRound(345 / twipsPerPixelX()), qRound(330 / twipsPerPixelY()));
    picRights->setToolTip(TipRights);
    imgEsci = creaImmagine(this, QStringLiteral("imgEsci"), QStringLiteral("esci"), {});
    imgEsci->resize(qRound(255 / twipsPerPixelX()), qRound(270 / twipsPerPixelY()));
    imgEsci->setToolTip(TipEsci);
    for (QLabel* p : { imgGuida, picRights, imgEsci }) {
        p->setCursor(Qt::PointingHandCursor);
        p->setScaledContents(true);
        p->installEventFilter(this);
    }
    // From the keyboard, Space and Enter press and release them as the mouse does.
    rendiAttivabile(
        imgGuida, TipGuida.trimmed(), [this] { imgGuida_MouseDown(); },
        [this] { imgGuida_MouseUp(); });
    rendiAttivabile(
        picRights, TipRights.trimmed(), [this] { picRights_MouseDown(); },
        [this] { picRights_MouseUp(); });
    rendiAttivabile(
        imgEsci, TipEsci.trimmed(), [this] { imgEsci_MouseDown(); }, [this] { imgEsci_MouseUp(); });
    spostaTwips(imgGuida, kCasaGuida.x(), kCasaGuida.y());
    spostaTwips(picRights, kCasaRights.x(), kCasaRights.y());
    spostaTwips(imgEsci, kCasaEsci.x(), kCasaEsci.y());

    // The title animation: element 0 shows the first image, still.
    auto* primo = new QLabel(this);
    primo->setObjectName(QStringLiteral("Image1"));
    primo->setGeometry(446, 6, 50, 88);
    primo->setAutoFillBackground(true);
    coloraSfondo(primo, Qt::white);
    m_image1.push_back(primo);
    tmrAniGif = new QTimer(this);
    tmrAniGif->setObjectName(QStringLiteral("tmrAniGif"));
    connect(tmrAniGif, &QTimer::timeout, this, &frmSonoria::tmrAniGif_Timer);

    auto* lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

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

    // Key and focus handlers of the fields.
    for (QWidget* w : std::initializer_list<QWidget*> { txtBrano, txtArtista, txtAlbum, txtGenere,
             txtAnno, txtNote, txtTesto, txtMP3, txtGenere->lineEdit() })
        w->installEventFilter(this);
    txtTesto->viewport()->installEventFilter(this); // where the text box receives drops

    // The fields in the order Enter walks them; the audio path comes after the browse button.
    setTabOrder(txtBrano, txtArtista);
    setTabOrder(txtArtista, txtAlbum);
    setTabOrder(txtAlbum, txtGenere);
    setTabOrder(txtGenere, txtAnno);
    setTabOrder(txtAnno, txtNote);
    setTabOrder(txtNote, txtTesto);
    setTabOrder(txtTesto, cmdSfoglia);
    setTabOrder(cmdSfoglia, txtMP3);
    setTabOrder(txtMP3, imgGomma);
    setTabOrder(imgGomma, cmdPlay);
    setTabOrder(cmdPlay, cmdPause);
    setTabOrder(cmdPause, cmdStop);
    setTabOrder(cmdStop, cmdVolume);
    setTabOrder(cmdVolume, cmdTrova);
    setTabOrder(cmdTrova, cmdListaMP3);
    setTabOrder(cmdListaMP3, cmdNuovo);
    setTabOrder(cmdNuovo, cmdSalva);
    setTabOrder(cmdSalva, cmdElimina);
    setTabOrder(cmdElimina, cmdStampa);
    setTabOrder(cmdStampa, cmdPrimo);
    setTabOrder(cmdPrimo, cmdIndietro);
    setTabOrder(cmdIndietro, cmdAvanti);
    setTabOrder(cmdAvanti, cmdUltimo);
    setTabOrder(cmdUltimo, imgGuida);
    setTabOrder(imgGuida, picRights);
    setTabOrder(picRights, imgEsci);
}

void frmSonoria::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
    txtGenere->clear();
    for (const QString& g : generiMusicali())
        txtGenere->addItem(g);
    txtGenere->setCurrentIndex(-1);
    txtGenere->setEditText(QString());
    estraiAnimazione();
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

QPoint frmSonoria::posizioneTwips(const QWidget* w)
{
    return { w->property("LeftTwips").toInt(), w->property("TopTwips").toInt() };
}

void frmSonoria::spostaTwips(QWidget* w, int left, int top)
{
    w->setProperty("LeftTwips", left);
    w->setProperty("TopTwips", top);
    w->move(qRound(left / twipsPerPixelX()), qRound(top / twipsPerPixelY()));
}

void frmSonoria::premi(QWidget* w)
{
    const QPoint p = posizioneTwips(w);
    spostaTwips(w, p.x() + 20, p.y() + 20);
}

void frmSonoria::rilascia(QWidget* w, QPoint casa) { spostaTwips(w, casa.x(), casa.y()); }

void frmSonoria::imgGuida_MouseDown() { premi(imgGuida); }
void frmSonoria::picRights_MouseDown() { premi(picRights); }
void frmSonoria::imgEsci_MouseDown() { premi(imgEsci); }

void frmSonoria::imgGuida_MouseUp()
{
    rilascia(imgGuida, kCasaGuida);
    m_platform.tasti.inviaTasti(QStringLiteral("{F1}"));
}

void frmSonoria::imgEsci_MouseUp()
{
    rilascia(imgEsci, kCasaEsci);
    close();
    // The exit picture ends the program at once, whatever else is open.
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

bool frmSonoria::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (trascinamentoSuCampo(oggetto, evento))
        return true;
    const auto tipo = evento->type();
    if (tipo == QEvent::MouseButtonPress || tipo == QEvent::MouseButtonRelease) {
        const bool giu = tipo == QEvent::MouseButtonPress;
        if (oggetto == imgGuida) {
            giu ? imgGuida_MouseDown() : imgGuida_MouseUp();
            return true;
        }
        if (oggetto == picRights) {
            giu ? picRights_MouseDown() : picRights_MouseUp();
            return true;
        }
        if (oggetto == imgEsci) {
            giu ? imgEsci_MouseDown() : imgEsci_MouseUp();
            return true;
        }
        if (oggetto == imgGomma) {
            if (!giu)
                imgGomma_MouseUp();
            return true;
        }
    }
    if (tipo == QEvent::FocusIn || tipo == QEvent::FocusOut) {
        if (auto* w = qobject_cast<QWidget*>(oggetto); w && w->parentWidget()
            && (w == txtBrano || w == txtArtista || w == txtAlbum || w == txtGenere || w == txtAnno
                || w == txtNote || w == txtTesto || w == txtMP3 || w == txtGenere->lineEdit())) {
            if (w == txtGenere->lineEdit())
                w = txtGenere;
            coloraSfondo(w, tipo == QEvent::FocusIn ? coloreFuoco() : QColor(Qt::white));
        }
        return false;
    }
    if (tipo == QEvent::KeyPress) {
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

} // namespace melodora
