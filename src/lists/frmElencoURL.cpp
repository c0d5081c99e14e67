#include "lists/frmElencoURL.h"

#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "audio/Riproduzione.h"
#include "audio/frmVolume.h"
#include "lists/CasellaElenco.h"
#include "lists/Elenchi.h"
#include "lists/TestiListe.h"
#include "platform/Accessibile.h"
#include "platform/Controlli.h"
#include "printing/StampaElenco.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace melodora {

using namespace testi_liste;

namespace {
    constexpr int kLarghezza = 480;
    constexpr int kAltezza = 470;
    const QColor kGrigioChiaro = coloreWindows(0x00E0E0E0);

    QFont arial9() { return QFont(QStringLiteral("Arial"), 9); }

    void coloraTesto(QWidget* w, const QColor& colore)
    {
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, colore);
        w->setPalette(p);
    }
}

frmElencoURL::frmElencoURL(
    Platform& platform, std::function<void(qint64, const Scheda&)> mostraScheda, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_mostraScheda(std::move(mostraScheda))
{
    setObjectName(QStringLiteral("frmElencoURL"));
    setWindowTitle(DidascaliaAudio);
    creaControlli();
    m_riproduzione = std::make_unique<ControlloRiproduzione>(
        m_platform.media, cmdPause, cmdStop, [this] { return fileCorrente(); });
    Form_Load();
}

frmElencoURL::~frmElencoURL()
{
    // A window destroyed without being closed still ends its playback.
    Form_Unload();
}

void frmElencoURL::creaControlli()
{
    setFixedSize(kLarghezza, kAltezza);
    setAutoFillBackground(true);
    {
        // A dark window under the panel, so that the pale yellow hint reads on it.
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0x2E, 0x3F, 0x5C));
        setPalette(p);
    }

    picContainer = creaCornice(this, QStringLiteral("picContainer"), { 8, 8, 464, 396 });
    picContainer->setAutoFillBackground(true);
    coloraSfondo(picContainer, QApplication::palette().color(QPalette::Window));
    imgTitolo = creaImmagine(picContainer, QStringLiteral("imgTitolo"),
        QStringLiteral("titolo_lista"), { 10, 8, 260, 40 });
    Image1 = creaImmagine(
        picContainer, QStringLiteral("Image1"), QStringLiteral("listamp3"), { 408, 8, 46, 46 });
    lblCerca = creaEtichetta(
        picContainer, QStringLiteral("lblCerca"), CercaBranoAudio, { 10, 62, 444, 18 });
    txtCerca = new QLineEdit(picContainer);
    txtCerca->setObjectName(QStringLiteral("txtCerca"));
    txtCerca->setGeometry(10, 82, 444, 24);
    txtCerca->setFont(arial9());
    coloraSfondo(txtCerca, kGrigioChiaro);
    txtCerca->installEventFilter(this);
    lstTrovati = new CasellaElenco(picContainer);
    lstTrovati->setObjectName(QStringLiteral("lstTrovati"));
    lstTrovati->setGeometry(10, 110, 444, 214);
    lstTrovati->setFont(arial9());
    coloraSfondo(lstTrovati, kGrigioChiaro);
    lblMP3 = creaEtichetta(picContainer, QStringLiteral("lblMP3"), {}, { 10, 328, 444, 20 });
    lblMP3->setFont(arial9());
    lblMP3->setAutoFillBackground(true);
    lblMP3->setContentsMargins(4, 0, 4, 0);
    coloraSfondo(lblMP3, kGrigioChiaro);

    cmdPlay = creaPulsante(
        picContainer, QStringLiteral("cmdPlay"), QStringLiteral("play"), {}, { 10, 354, 32, 32 });
    cmdPause = creaPulsante(
        picContainer, QStringLiteral("cmdPause"), QStringLiteral("pause"), {}, { 44, 354, 32, 32 });
    cmdStop = creaPulsante(
        picContainer, QStringLiteral("cmdStop"), QStringLiteral("stop"), {}, { 78, 354, 32, 32 });
    cmdVolume = creaPulsante(picContainer, QStringLiteral("cmdVolume"), QStringLiteral("volume"),
        {}, { 120, 354, 32, 32 });
    cmdStampa = creaPulsante(picContainer, QStringLiteral("cmdStampa"), QStringLiteral("stampa"),
        TipStampa, { 162, 354, 32, 32 });
    cmdPlay->setAccessibleName(QStringLiteral("Riproduci"));
    cmdPause->setAccessibleName(QStringLiteral("Pausa"));
    cmdStop->setAccessibleName(QStringLiteral("Ferma"));
    cmdVolume->setAccessibleName(QStringLiteral("Volume"));
    for (QToolButton* b : { cmdPlay, cmdPause, cmdStop })
        b->setEnabled(false);
    lblTrovati
        = creaEtichetta(picContainer, QStringLiteral("lblTrovati"), {}, { 204, 360, 250, 20 });
    lblTrovati->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    coloraTesto(lblTrovati, QColor(0x00, 0x00, 0x80));
    {
        QFont f = lblTrovati->font();
        f.setBold(true);
        lblTrovati->setFont(f);
    }
    lblTrovati->hide();

    // Under the panel, on the window itself.
    cmdGuida = creaPulsante(
        this, QStringLiteral("cmdGuida"), QStringLiteral("guida"), TipGuida, { 8, 418, 40, 40 });
    cmdChiudi = creaPulsante(this, QStringLiteral("cmdChiudi"), QStringLiteral("chiudi"), TipChiudi,
        { kLarghezza - 48, 418, 40, 40 });
    lblFaiClic
        = creaEtichetta(this, QStringLiteral("lblFaiClic"), FaiClicAudio, { 56, 414, 368, 48 });
    lblFaiClic->setWordWrap(true);
    lblFaiClic->setAlignment(Qt::AlignCenter);
    coloraTesto(lblFaiClic, coloreFuoco());
    lblFaiClic->setCursor(Qt::PointingHandCursor);
    lblFaiClic->installEventFilter(this);
    // Its click from the keyboard: Space or Enter once it has the focus.
    rendiAttivabile(lblFaiClic, FaiClicAudio, nullptr, [this] { lblFaiClic_Click(); });
    lblFaiClic->hide();

    connect(lstTrovati, &CasellaElenco::selezioneCambiata, this, &frmElencoURL::lstTrovati_Click);
    connect(lstTrovati, &CasellaElenco::doppioClic, this, &frmElencoURL::lstTrovati_DblClick);
    connect(lstTrovati, &CasellaElenco::puntatoreMosso, this, &frmElencoURL::lstTrovati_MouseMove);
    connect(txtCerca, &QLineEdit::textChanged, this, &frmElencoURL::txtCerca_Change);
    connect(cmdPlay, &QToolButton::clicked, this, &frmElencoURL::cmdPlay_Click);
    connect(cmdPause, &QToolButton::clicked, this, &frmElencoURL::cmdPause_Click);
    connect(cmdStop, &QToolButton::clicked, this, &frmElencoURL::cmdStop_Click);
    connect(cmdVolume, &QToolButton::clicked, this, &frmElencoURL::cmdVolume_Click);
    connect(cmdStampa, &QToolButton::clicked, this, &frmElencoURL::cmdStampa_Click);
    connect(cmdGuida, &QToolButton::clicked, this, &frmElencoURL::cmdGuida_Click);
    connect(cmdChiudi, &QToolButton::clicked, this, &frmElencoURL::cmdChiudi_Click);

    setTabOrder(txtCerca, lstTrovati);
    setTabOrder(lstTrovati, lblFaiClic);
    setTabOrder(lblFaiClic, cmdPlay);
    setTabOrder(cmdPlay, cmdPause);
    setTabOrder(cmdPause, cmdStop);
    setTabOrder(cmdStop, cmdVolume);
    setTabOrder(cmdVolume, cmdStampa);
    setTabOrder(cmdStampa, cmdGuida);
    setTabOrder(cmdGuida, cmdChiudi);
    txtCerca->setFocus();
}

void frmElencoURL::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(NomeGuida));
    costruisciElenco();
}

void frmElencoURL::costruisciElenco()
{
    CursoreAttesa attesa;
    // Errors of the archive are not reported: an archive that cannot be read lists nothing.
    VociSchede voci;
    if (auto archivio
        = ArchivioSchede::apri(AppFilePath(QString::fromLatin1(kNomeArchivio)), m_platform.file))
        // A list runs with read failures ignored: it shows the cards read.
        (void)elencoAudio(*archivio, voci);
    lstTrovati->riempi(voci.testi());
    lblTrovati->setText(QString::number(lstTrovati->conteggio()) + BraniInArchivio);
    lblTrovati->show();
}

void frmElencoURL::Form_Unload()
{
    if (m_scaricata)
        return;
    m_scaricata = true;
    CloseAudio();
}

void frmElencoURL::done(int esito)
{
    Form_Unload();
    QDialog::done(esito);
}

QString frmElencoURL::fileCorrente() const
{
    // The caption holds the field as stored. The blanks that fill it out are no part of the
    // path: this file system, unlike the one the archive format was made on, keeps them.
    QString f = lblMP3->text();
    qsizetype fine = f.size();
    while (fine > 0 && f.at(fine - 1) == QLatin1Char(' '))
        --fine;
    f.truncate(fine);
    return f;
}

QString frmElencoURL::ShortPath(const QString& percorso) const
{
    return m_riproduzione->ShortPath(percorso);
}

void frmElencoURL::CloseAudio() { m_riproduzione->CloseAudio(); }

std::optional<SchedaTrovata> frmElencoURL::schedaDellaVoce(const QString& voce) const
{
    auto archivio
        = ArchivioSchede::apri(AppFilePath(QString::fromLatin1(kNomeArchivio)), m_platform.file);
    if (!archivio)
        return std::nullopt;
    return trovaScheda(*archivio, CampoRicerca::Titolo, voce);
}

void frmElencoURL::lstTrovati_Click()
{
    CloseAudio();
    const QString voce = lstTrovati->testoSelezionato();
    if (voce.isEmpty())
        return;
    const std::optional<SchedaTrovata> trovata = schedaDellaVoce(voce);
    if (!trovata) {
        // The archive changed behind the window's back: the entry has no file to play and
        // opens nothing.
        lblMP3->clear();
        cmdPlay->setEnabled(false);
        cmdPause->setEnabled(false);
        cmdStop->setEnabled(false);
        lblFaiClic->hide();
        return;
    }
    lblMP3->setText(trovata->scheda.grezzo(Campo::MP3));
    cmdPlay->setEnabled(true);
    cmdPause->setEnabled(false);
    cmdStop->setEnabled(false);
    lblFaiClic->show();
}

void frmElencoURL::lstTrovati_DblClick()
{
    const QString voce = lstTrovati->testoSelezionato();
    if (voce.isEmpty())
        return;
    const std::optional<SchedaTrovata> trovata = schedaDellaVoce(voce);
    if (!trovata)
        return; // no card rebuilds to the entry any more: nothing is opened
    m_mostraScheda(trovata->numero, trovata->scheda);
    accept(); // closing ends the playback
}

void frmElencoURL::lblFaiClic_Click() { lstTrovati_DblClick(); }

void frmElencoURL::txtCerca_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        lstTrovati_DblClick();
}

void frmElencoURL::txtCerca_Change()
{
    const int prima = lstTrovati->selezionato();
    // A change of the selection runs the click handler: the previous song ends and the new
    // entry's file becomes current.
    const int ora = lstTrovati->selezionaPrima(txtCerca->text());
    if (ora < 0) {
        if (!togliSpazi(lblMP3->text()).isEmpty())
            m_riproduzione->chiudiSempre(); // whatever Stop shows; a file never opened is left be
        lblFaiClic->hide();
        cmdPlay->setEnabled(false);
        cmdPause->setEnabled(false);
        cmdStop->setEnabled(false);
        lblMP3->clear();
    } else if (ora != prima) {
        cmdPlay->setEnabled(!m_riproduzione->nessunFile());
        cmdPause->setEnabled(false);
        cmdStop->setEnabled(false);
    }
    // With the same entry still selected the song plays on and its buttons stay as they are:
    // disabling Stop there would leave the file playing with no way to stop it.
}

void frmElencoURL::lstTrovati_MouseMove(QPoint punto)
{
    const int indice = lstTrovati->voceVicina(punto);
    lstTrovati->setToolTip(
        indice >= 0 ? suggerimentoVoce(lstTrovati->voci().at(indice)) : QString());
}

void frmElencoURL::cmdPlay_Click() { m_riproduzione->play(); }
void frmElencoURL::cmdPause_Click() { m_riproduzione->pause(); }
void frmElencoURL::cmdStop_Click() { m_riproduzione->stop(); }

void frmElencoURL::cmdVolume_Click()
{
    frmVolume volume(m_platform, this);
    volume.exec();
}

void frmElencoURL::cmdStampa_Click()
{
    StampaElenco(m_platform, this, TipoElenco::Audio, QString(), lstTrovati->voci());
}

void frmElencoURL::cmdGuida_Click() { m_platform.tasti.inviaTasti(QStringLiteral("{F1}")); }

void frmElencoURL::cmdChiudi_Click() { close(); }

bool frmElencoURL::eventFilter(QObject* oggetto, QEvent* evento)
{
    const auto tipo = evento->type();
    if (oggetto == txtCerca && tipo == QEvent::KeyPress) {
        int KeyAscii = codiceAscii(static_cast<QKeyEvent*>(evento));
        txtCerca_KeyPress(KeyAscii);
        return false; // the key is not discarded
    }
    if (oggetto == lblFaiClic && tipo == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(evento);
        if (mouse->button() == Qt::LeftButton
            && lblFaiClic->rect().contains(mouse->position().toPoint())) {
            lblFaiClic_Click();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace melodora
