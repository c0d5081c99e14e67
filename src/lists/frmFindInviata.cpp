#include "lists/frmFindInviata.h"

#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "lists/CasellaElenco.h"
#include "lists/Parole.h"
#include "lists/TestiListe.h"
#include "platform/Accessibile.h"
#include "platform/ColoreFuoco.h"
#include "platform/Controlli.h"
#include "printing/StampaElenco.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace melodora {

using namespace testi_liste;

namespace {
    constexpr int kLarghezza = 470;
    // The fifth criterion's row makes the window one row taller than the four rows need.
    constexpr int kRiga = 78;
    constexpr int kAltezza = 446 + kRiga;
    const QRect kPannello { 8, 8, 454, 382 + kRiga };

    QFont caratterePerCaselle() { return QFont(QStringLiteral("Times New Roman"), 12); }
}

frmFindInviata::frmFindInviata(
    Platform& platform, std::function<void(qint64, const Scheda&)> mostraScheda, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_mostraScheda(std::move(mostraScheda))
{
    setObjectName(QStringLiteral("frmFindInviata"));
    setWindowTitle(DidascaliaRicerca);
    creaControlli();
    Form_Load();
}

frmFindInviata::~frmFindInviata() = default;

void frmFindInviata::creaControlli()
{
    setFixedSize(kLarghezza, kAltezza);

    // The criteria panel: five framed rows under the explanation.
    picOpzioni = creaCornice(this, QStringLiteral("picOpzioni"), kPannello);
    lblInfo = creaEtichetta(picOpzioni, QStringLiteral("lblInfo"), Info, { 10, 8, 434, 48 });
    lblInfo->setWordWrap(true);

    struct Riga {
        QGroupBox** cornice;
        QLineEdit** casella;
        QToolButton** pulsante;
        const char* nomeCornice;
        const char* nomeCasella;
        const char* nomePulsante;
        const char* nomeIcona;
        const char* immagine;
        QString titolo;
        QString tipIcona;
        int maxLen;
    };
    const Riga righe[] = {
        { &fraMittente, &txtFindQual, &cmdMittente, "fraMittente", "txtFindQual", "cmdMittente",
            "imgMittente", "zoom", CorniceBrano, TipZoom, 200 },
        { &fraOggetto, &txtFindCit, &cmdOggetto, "fraOggetto", "txtFindCit", "cmdOggetto",
            "imgOggetto", "cerca_artista", CorniceArtista, TipCercaArtista, 240 },
        { &fraDestina, &txtFindCog, &cmdDestina, "fraDestina", "txtFindCog", "cmdDestina",
            "imgDestina", "cerca_album", CorniceAlbum, QString(), 200 },
        { &fraData, &txtFindAzi, &cmdData, "fraData", "txtFindAzi", "cmdData", "imgData",
            "cerca_genere", CorniceGenere, TipCercaGenere, 200 },
        { &fraTesto, &txtFindTesto, &cmdTesto, "fraTesto", "txtFindTesto", "cmdTesto", "imgTesto",
            "brano", CorniceTesto, TipCercaTesto, 200 },
    };
    int y = 62;
    for (const Riga& r : righe) {
        auto* icona = creaImmagine(picOpzioni, QString::fromLatin1(r.nomeIcona),
            QString::fromLatin1(r.immagine), { 10, y + 22, 32, 32 });
        if (!r.tipIcona.isEmpty()) {
            icona->setToolTip(r.tipIcona);
            icona->setAccessibleName(r.tipIcona.trimmed()); // a picture only: it does nothing
        }
        auto* cornice = new QGroupBox(r.titolo, picOpzioni);
        cornice->setObjectName(QString::fromLatin1(r.nomeCornice));
        cornice->setGeometry(50, y, 394, 74);
        auto* casella = new QLineEdit(cornice);
        casella->setObjectName(QString::fromLatin1(r.nomeCasella));
        casella->setGeometry(12, 28, 318, 30);
        casella->setMaxLength(r.maxLen);
        casella->setFont(caratterePerCaselle());
        coloraSfondo(casella, Qt::white);
        new ColoreFuoco(casella, Qt::white);
        casella->installEventFilter(this);
        *r.cornice = cornice;
        *r.casella = casella;
        *r.pulsante = creaPulsante(cornice, QString::fromLatin1(r.nomePulsante),
            QStringLiteral("trova"), TipTrova, { 342, 24, 38, 38 });
        y += 78;
    }

    // The results panel, at the same place, hidden until a search fills it.
    picLista = creaCornice(this, QStringLiteral("picLista"), kPannello);
    lblCriterio = creaEtichetta(picLista, QStringLiteral("lblCriterio"), {}, { 8, 8, 438, 26 });
    lblCriterio->setAutoFillBackground(true);
    coloraSfondo(lblCriterio, coloreFuoco());
    {
        QPalette p = lblCriterio->palette();
        p.setColor(QPalette::WindowText, coloreWindows(0x00000080));
        lblCriterio->setPalette(p);
        QFont f = lblCriterio->font();
        f.setBold(true);
        f.setPointSize(11);
        lblCriterio->setFont(f);
    }
    lblCriterio->setContentsMargins(6, 0, 6, 0);
    lblCerca = creaEtichetta(picLista, QStringLiteral("lblCerca"), {}, { 8, 40, 438, 18 });
    txtCerca = new QLineEdit(picLista);
    txtCerca->setObjectName(QStringLiteral("txtCerca"));
    txtCerca->setGeometry(8, 60, 438, 30);
    txtCerca->setFont(caratterePerCaselle());
    txtCerca->installEventFilter(this);
    lstTrovati = new CasellaElenco(picLista);
    lstTrovati->setObjectName(QStringLiteral("lstTrovati"));
    lstTrovati->setGeometry(8, 96, 438, 216 + kRiga);
    coloraSfondo(lstTrovati, coloreFuoco());
    lblFaiClic = creaEtichetta(
        picLista, QStringLiteral("lblFaiClic"), FaiClicRicerca, { 8, 316 + kRiga, 438, 18 });
    {
        QPalette p = lblFaiClic->palette();
        p.setColor(QPalette::WindowText, Qt::red);
        lblFaiClic->setPalette(p);
    }
    lblFaiClic->setAlignment(Qt::AlignCenter);
    lblFaiClic->installEventFilter(this);
    // Its double click from the keyboard: Space or Enter once it has the focus.
    rendiAttivabile(lblFaiClic, FaiClicRicerca, nullptr, [this] { lblFaiClic_DblClick(); });
    lblFaiClic->hide();
    cmdIndietro = creaPulsante(picLista, QStringLiteral("cmdIndietro"),
        QStringLiteral("indietro_lista"), TipIndietro, { 8, 338 + kRiga, 38, 38 });
    cmdStampa = creaPulsante(picLista, QStringLiteral("cmdStampa"), QStringLiteral("stampa"),
        TipStampa, { 408, 338 + kRiga, 38, 38 });
    picLista->hide();

    // Under the panels.
    cmdGuida = creaPulsante(this, QStringLiteral("cmdGuida"), QStringLiteral("guida"), TipGuida,
        { 8, 398 + kRiga, 40, 40 });
    cmdChiudi = creaPulsante(this, QStringLiteral("cmdChiudi"), QStringLiteral("chiudi"), TipChiudi,
        { kLarghezza - 48, 398 + kRiga, 40, 40 });
    lblTrovati
        = creaEtichetta(this, QStringLiteral("lblTrovati"), {}, { 120, 406 + kRiga, 230, 24 });
    lblTrovati->setAlignment(Qt::AlignCenter);
    lblTrovati->setAutoFillBackground(true);
    {
        QPalette p = lblTrovati->palette();
        p.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        p.setColor(QPalette::WindowText, Qt::white);
        lblTrovati->setPalette(p);
        lblTrovati->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    }
    lblTrovati->hide();

    connect(cmdMittente, &QToolButton::clicked, this, &frmFindInviata::cmdMittente_Click);
    connect(cmdOggetto, &QToolButton::clicked, this, &frmFindInviata::cmdOggetto_Click);
    connect(cmdDestina, &QToolButton::clicked, this, &frmFindInviata::cmdDestina_Click);
    connect(cmdData, &QToolButton::clicked, this, &frmFindInviata::cmdData_Click);
    connect(cmdTesto, &QToolButton::clicked, this, &frmFindInviata::cmdTesto_Click);
    connect(cmdIndietro, &QToolButton::clicked, this, &frmFindInviata::cmdIndietro_Click);
    connect(cmdStampa, &QToolButton::clicked, this, &frmFindInviata::cmdStampa_Click);
    connect(cmdGuida, &QToolButton::clicked, this, &frmFindInviata::cmdGuida_Click);
    connect(cmdChiudi, &QToolButton::clicked, this, &frmFindInviata::cmdChiudi_Click);
    connect(lstTrovati, &CasellaElenco::selezioneCambiata, this, &frmFindInviata::lstTrovati_Click);
    connect(lstTrovati, &CasellaElenco::doppioClic, this, &frmFindInviata::lstTrovati_DblClick);
    connect(
        lstTrovati, &CasellaElenco::puntatoreMosso, this, &frmFindInviata::lstTrovati_MouseMove);
    connect(txtCerca, &QLineEdit::textChanged, this, &frmFindInviata::txtCerca_Change);

    setTabOrder(txtFindQual, cmdMittente);
    setTabOrder(cmdMittente, txtFindCit);
    setTabOrder(txtFindCit, cmdOggetto);
    setTabOrder(cmdOggetto, txtFindCog);
    setTabOrder(txtFindCog, cmdDestina);
    setTabOrder(cmdDestina, txtFindAzi);
    setTabOrder(txtFindAzi, cmdData);
    setTabOrder(cmdData, txtFindTesto);
    setTabOrder(txtFindTesto, cmdTesto);
    setTabOrder(cmdTesto, txtCerca);
    setTabOrder(txtCerca, lstTrovati);
    setTabOrder(lstTrovati, lblFaiClic);
    setTabOrder(lblFaiClic, cmdIndietro);
    setTabOrder(cmdIndietro, cmdStampa);
    setTabOrder(cmdStampa, cmdGuida);
    setTabOrder(cmdGuida, cmdChiudi);
    txtFindQual->setFocus();
}

void frmFindInviata::Form_Load() { m_platform.guida.impostaFileGuida(AppFilePath(NomeGuida)); }

QLineEdit* frmFindInviata::casellaDi(CampoRicerca campo) const
{
    switch (campo) {
    case CampoRicerca::Titolo:
        return txtFindQual;
    case CampoRicerca::Artista:
        return txtFindCit;
    case CampoRicerca::Album:
        return txtFindCog;
    case CampoRicerca::Genere:
        break;
    }
    return txtFindAzi;
}

void frmFindInviata::cmdMittente_Click() { cerca(CampoRicerca::Titolo); }
void frmFindInviata::cmdOggetto_Click() { cerca(CampoRicerca::Artista); }
void frmFindInviata::cmdDestina_Click() { cerca(CampoRicerca::Album); }
void frmFindInviata::cmdData_Click() { cerca(CampoRicerca::Genere); }
void frmFindInviata::cmdTesto_Click() { cercaTesto(); }

void frmFindInviata::txtFindQual_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        cerca(CampoRicerca::Titolo);
}

void frmFindInviata::txtFindCit_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        cerca(CampoRicerca::Artista);
}

void frmFindInviata::txtFindCog_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        cerca(CampoRicerca::Album);
}

void frmFindInviata::txtFindAzi_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        cerca(CampoRicerca::Genere);
}

void frmFindInviata::txtFindTesto_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        cercaTesto();
}

void frmFindInviata::cerca(CampoRicerca campo)
{
    const RigaRicerca& riga = rigaRicerca(campo);
    QLineEdit* casella = casellaDi(campo);
    const QString digitato = casella->text();
    if (CriterioRicerca(campo, digitato).vuoto()) {
        m_platform.messaggi.mostra(
            this, riga.messaggioVuoto, TitoloAttenzione, Icona::Informazione, Pulsanti::Ok);
        casella->setFocus();
        return;
    }
    VociSchede voci;
    {
        CursoreAttesa attesa;
        // Errors of the archive are not reported: an archive that cannot be read lists nothing.
        if (auto archivio = ArchivioSchede::apri(
                AppFilePath(QString::fromLatin1(kNomeArchivio)), m_platform.file))
            // A list runs with read failures ignored: it shows the cards read.
            (void)cercaSchede(*archivio, campo, digitato, voci);
    }
    mostraRisultati(voci.testi(), criterioRicerca(campo, digitato), riga.istruzione);
}

void frmFindInviata::cercaTesto()
{
    const QString digitato = txtFindTesto->text();
    if (CriterioParole(digitato).vuoto()) {
        m_platform.messaggi.mostra(
            this, VuotoTesto, TitoloAttenzione, Icona::Informazione, Pulsanti::Ok);
        txtFindTesto->setFocus();
        return;
    }
    VociSchede voci;
    {
        CursoreAttesa attesa;
        if (auto archivio = ArchivioSchede::apri(
                AppFilePath(QString::fromLatin1(kNomeArchivio)), m_platform.file))
            // A list runs with read failures ignored: it shows the cards read.
            (void)cercaParole(*archivio, AmbitoParole::Testo, digitato, voci);
    }
    mostraRisultati(voci.testi(), criterioParole(digitato), CercaBrano);
}

void frmFindInviata::mostraRisultati(
    const QStringList& voci, const QString& criterio, const QString& istruzione)
{
    lstTrovati->riempi(voci);
    lblCriterio->setText(criterio);
    lblCerca->setText(istruzione);
    lblTrovati->setText(QString::number(lstTrovati->conteggio()) + SchedeTrovate);
    lblTrovati->show();
    picLista->show();
    picOpzioni->hide();
    txtCerca->setText(QString());
    txtCerca->setFocus();
}

void frmFindInviata::cmdIndietro_Click()
{
    picOpzioni->show();
    picLista->hide();
    lblTrovati->hide();
}

void frmFindInviata::lstTrovati_Click() { lblFaiClic->show(); }

void frmFindInviata::lstTrovati_DblClick()
{
    // The criterion caption is the only record of which search filled the list.
    const QString modo = lblCriterio->text().left(4);
    if (modo == QLatin1String("Bran"))
        ApriSchedaBrano();
    else if (modo == QLatin1String("Arti"))
        ApriSchedaArtista();
    else if (modo == QLatin1String("Albu"))
        ApriSchedaAlbum();
    else if (modo == QLatin1String("Gene"))
        ApriSchedaGenere();
    else if (modo == QLatin1String("Test"))
        ApriSchedaBrano(); // the words' entries are in the title format
}

void frmFindInviata::ApriSchedaBrano() { apriScheda(CampoRicerca::Titolo); }
void frmFindInviata::ApriSchedaArtista() { apriScheda(CampoRicerca::Artista); }
void frmFindInviata::ApriSchedaAlbum() { apriScheda(CampoRicerca::Album); }
void frmFindInviata::ApriSchedaGenere() { apriScheda(CampoRicerca::Genere); }

void frmFindInviata::apriScheda(CampoRicerca formato)
{
    const QString voce = lstTrovati->testoSelezionato();
    if (voce.isEmpty())
        return;
    std::optional<SchedaTrovata> trovata;
    if (auto archivio
        = ArchivioSchede::apri(AppFilePath(QString::fromLatin1(kNomeArchivio)), m_platform.file))
        trovata = trovaScheda(*archivio, formato, voce);
    // An entry that no card rebuilds to any more (the archive changed behind the window's
    // back) opens nothing, and the window stays.
    if (!trovata)
        return;
    m_mostraScheda(trovata->numero, trovata->scheda);
    accept();
}

void frmFindInviata::lblFaiClic_DblClick() { lstTrovati_DblClick(); }

void frmFindInviata::txtCerca_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        lstTrovati_DblClick();
}

void frmFindInviata::txtCerca_Change()
{
    // A change of the selection runs the click handler, which shows the hint.
    if (lstTrovati->selezionaPrima(txtCerca->text()) < 0)
        lblFaiClic->hide();
}

void frmFindInviata::lstTrovati_MouseMove(QPoint punto)
{
    const int indice = lstTrovati->voceVicina(punto);
    lstTrovati->setToolTip(
        indice >= 0 ? suggerimentoVoce(lstTrovati->voci().at(indice)) : QString());
}

void frmFindInviata::cmdStampa_Click()
{
    StampaElenco(m_platform, this, TipoElenco::Ricerca, lblCriterio->text(), lstTrovati->voci());
}

void frmFindInviata::cmdGuida_Click() { m_platform.tasti.inviaTasti(QStringLiteral("{F1}")); }

void frmFindInviata::cmdChiudi_Click() { close(); }

bool frmFindInviata::eventFilter(QObject* oggetto, QEvent* evento)
{
    const auto tipo = evento->type();
    QLineEdit* const criteri[] = { txtFindQual, txtFindCit, txtFindCog, txtFindAzi, txtFindTesto };
    const bool criterio
        = std::find(std::begin(criteri), std::end(criteri), oggetto) != std::end(criteri);
    if (tipo == QEvent::KeyPress && (criterio || oggetto == txtCerca)) {
        int KeyAscii = codiceAscii(static_cast<QKeyEvent*>(evento));
        if (oggetto == txtFindQual)
            txtFindQual_KeyPress(KeyAscii);
        else if (oggetto == txtFindCit)
            txtFindCit_KeyPress(KeyAscii);
        else if (oggetto == txtFindCog)
            txtFindCog_KeyPress(KeyAscii);
        else if (oggetto == txtFindAzi)
            txtFindAzi_KeyPress(KeyAscii);
        else if (oggetto == txtFindTesto)
            txtFindTesto_KeyPress(KeyAscii);
        else
            txtCerca_KeyPress(KeyAscii);
        return false; // the key is not discarded
    }
    if (oggetto == lblFaiClic && tipo == QEvent::MouseButtonDblClick) {
        lblFaiClic_DblClick();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace melodora
