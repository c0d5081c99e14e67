#include "printing/frmStampa.h"

#include "archive/AppFilePath.h"
#include "platform/Controlli.h"
#include "platform/PrintSurface.h"
#include "printing/TestiStampa.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>

namespace melodora {

using namespace testi_stampa;

frmStampa::frmStampa(
    Platform& platform, TestiScheda testi, QWidget* campoTitolo, QWidget* parent, Orologio orologio)
    : QDialog(parent)
    , m_platform(platform)
    , m_testi(std::move(testi))
    , m_campoTitolo(campoTitolo)
    , m_orologio(std::move(orologio))
{
    setObjectName(QStringLiteral("frmStampa"));
    setWindowTitle(Didascalia);
    creaControlli();
    Form_Load();
}

void frmStampa::creaControlli()
{
    setFixedSize(420, 244);
    QFont arial9(QStringLiteral("Arial"));
    arial9.setPointSize(9);

    fraPrinter = new QGroupBox(this);
    fraPrinter->setObjectName(QStringLiteral("fraPrinter"));
    fraPrinter->setGeometry(10, 6, 400, 56);
    lblPrinter = creaEtichetta(
        fraPrinter, QStringLiteral("lblPrinter"), StampantePredefinita, { 10, 8, 380, 42 });
    lblPrinter->setWordWrap(true); // a PDF folder's path can be long

    fraSelect = new QGroupBox(Seleziona, this);
    fraSelect->setObjectName(QStringLiteral("fraSelect"));
    fraSelect->setFont(arial9);
    fraSelect->setGeometry(10, 68, 400, 112);
    const auto opzione = [&](const QString& nome, const QString& testo, int top) {
        auto* o = new QRadioButton(testo, fraSelect);
        o->setObjectName(nome);
        o->setFont(arial9);
        o->setGeometry(14, top, 376, 24);
        return o;
    };
    optTutto = opzione(QStringLiteral("optTutto"), OpzioneTutto, 24);
    optComm = opzione(QStringLiteral("optComm"), OpzioneInfo, 52);
    optCover = opzione(QStringLiteral("optCover"), OpzioneTesto, 80);

    cmdImp = creaPulsante(
        this, QStringLiteral("cmdImp"), QStringLiteral("imp"), TipGuida, { 10, 190, 44, 44 });
    cmdStampa = creaPulsante(this, QStringLiteral("cmdStampa"), QStringLiteral("stampa"), TipStampa,
        { 316, 190, 44, 44 });
    cmdAnnulla = creaPulsante(this, QStringLiteral("cmdAnnulla"), QStringLiteral("annulla"),
        TipAnnulla, { 366, 190, 44, 44 });

    // The first option comes first in the tab order, so it is the one chosen on opening.
    setTabOrder(optTutto, optComm);
    setTabOrder(optComm, optCover);
    setTabOrder(optCover, cmdStampa);
    setTabOrder(cmdStampa, cmdAnnulla);
    setTabOrder(cmdAnnulla, cmdImp);
    optTutto->setChecked(true);
    optTutto->setFocus();

    connect(cmdStampa, &QToolButton::clicked, this, &frmStampa::cmdStampa_Click);
    connect(cmdAnnulla, &QToolButton::clicked, this, &frmStampa::cmdAnnulla_Click);
    connect(cmdImp, &QToolButton::clicked, this, &frmStampa::cmdImp_Click);
}

void frmStampa::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
    const QString nome = m_platform.stampante.nomeDispositivo();
    if (!nome.isEmpty())
        lblPrinter->setText(StampantePredefinitaNome + nome);
}

void frmStampa::cmdStampa_Click()
{
    if (optTutto->isChecked())
        StampaCompleta();
    else if (optComm->isChecked())
        StampaInformazioni();
    else if (optCover->isChecked())
        StampaTesto();
}

void frmStampa::cmdAnnulla_Click() { reject(); }

void frmStampa::cmdImp_Click() { m_platform.tasti.inviaTasti(QStringLiteral("{F1}")); }

void frmStampa::StampaInformazioni() { stampa(Impaginazione::Informazioni); }
void frmStampa::StampaCompleta() { stampa(Impaginazione::Completa); }
void frmStampa::StampaTesto() { stampa(Impaginazione::Testo); }

void frmStampa::stampa(Impaginazione impaginazione)
{
    if (titoloMancante(m_testi)) {
        m_platform.messaggi.mostra(
            this, TitoloMancante, TitoloNonApplicabile, Icona::Informazione, Pulsanti::Ok);
        reject();
        if (m_campoTitolo)
            m_campoTitolo->setFocus();
        return;
    }

    std::unique_ptr<PrintSurface> documento = m_platform.stampante.nuovoDocumento();
    if (!documento || !StampaScheda(*documento, impaginazione, m_testi, m_orologio())) {
        // Reported as the list printouts do; the dialog stays open for another try.
        documento.reset();
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(
            this, ErroreStampa, TitoloErroreStampa, Icona::Critica, Pulsanti::Ok);
        return;
    }
    const QString pdf = documento->filePdf();
    documento.reset();
    accept();
    // Without a printer the card became a PDF file: the desktop's viewer shows it.
    if (!pdf.isEmpty())
        m_platform.shell.apriUrl(QUrl::fromLocalFile(pdf));
}

} // namespace melodora
