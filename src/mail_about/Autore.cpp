#include "mail_about/Autore.h"

#include "archive/Programma.h"

#include "archive/AppFilePath.h"
#include "mail_about/frmEmail.h"
#include "platform/Controlli.h"
#include "platform/ImmaginePremibile.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <exception>
#include <optional>

namespace melodora {

const QString Autore::IndirizzoSupporto = QStringLiteral("supporto@melodora.example");
const QString Autore::SitoWeb = QStringLiteral("https://www.melodora.example/");
const QString Autore::OggettoEmail = QString::fromLatin1(kNomeProgramma);

namespace {
    // Every text of the about window that the user reads, in one place.
    const QString kDidascalia = QStringLiteral(" Informazioni su ") + QLatin1String(kNomeProgramma);
    const QString kTipEmail = QStringLiteral(" Invia e-mail all'autore ");
    const QString kTipWeb = QStringLiteral(" Visita sito Web dell'autore ");
    const QString kChiudi = QStringLiteral("Chiudi");
    const QString kTesto1 = QString::fromLatin1(kNomeProgramma);
    const QString kTesto2 = QStringLiteral("L'archivio personale delle tue canzoni");
    const QString kTesto3
        = QStringLiteral("Titoli, artisti, album, testi e file audio in un'unica raccolta, "
                         "da sfogliare, cercare, ascoltare e stampare.");
    const QString kTesto4 = QStringLiteral("© Studio Melodora. Tutti i diritti riservati.");
    const QString kTesto5 = QStringLiteral("Per assistenza, suggerimenti e segnalazioni scrivete "
                                           "all'autore o visitate il suo sito:");
    const QStringList kContatti = { QStringLiteral("Studio Melodora"),
        QStringLiteral("Via dei Musicisti 12"), QStringLiteral("00000 Borgo d'Esempio") };
    const QString kComposerFallito = QStringLiteral("Non è stato possibile individuare il "
                                                    "software predefinito per la gestione della "
                                                    "posta elettronica.");
    const QString kTitoloComposerFallito = titolo(QStringLiteral("Impossibile inviare e-mail"));
}

Autore::Autore(Platform& platform, FabbricaPrincipale principale, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_platform(platform)
    , m_principale(std::move(principale))
{
    setObjectName(QStringLiteral("Autore"));
    setWindowTitle(kDidascalia);
    creaControlli();
    Form_Load();
}

void Autore::creaControlli()
{
    setFixedSize(440, 300);
    imgAutore = creaImmagine(
        this, QStringLiteral("imgAutore"), QStringLiteral("autore"), { 16, 16, 96, 96 });

    auto etichetta = [this](const QString& nome, const QString& testo, QRect r) {
        auto* l = creaEtichetta(this, nome, testo, r);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->installEventFilter(this);
        return l;
    };
    Label1 = etichetta(QStringLiteral("Label1"), kTesto1, { 128, 16, 296, 30 });
    QFont titolo = Label1->font();
    titolo.setPointSize(16);
    titolo.setBold(true);
    Label1->setFont(titolo);
    Label2 = etichetta(QStringLiteral("Label2"), kTesto2, { 128, 50, 296, 20 });
    QFont corsivo = Label2->font();
    corsivo.setItalic(true);
    Label2->setFont(corsivo);
    Label3 = etichetta(QStringLiteral("Label3"), kTesto3, { 128, 74, 296, 48 });
    Label4 = etichetta(QStringLiteral("Label4"), kTesto4, { 128, 124, 296, 20 });

    auto* linea = new QFrame(this);
    linea->setObjectName(QStringLiteral("linSepara"));
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    linea->setGeometry(16, 150, 408, 4);

    Label5 = etichetta(QStringLiteral("Label5"), kTesto5, { 16, 160, 408, 36 });
    Label6 = etichetta(QStringLiteral("Label6"), QString(), { 16, 202, 260, 56 });

    imgEmail = new ImmaginePremibile(
        this, QStringLiteral("imgEmail"), QStringLiteral("email"), kTipEmail, { 320, 204, 44, 44 });
    imgWeb = new ImmaginePremibile(
        this, QStringLiteral("imgWeb"), QStringLiteral("web"), kTipWeb, { 376, 204, 44, 44 });
    connect(imgEmail, &ImmaginePremibile::rilasciata, this, &Autore::imgEmail_MouseUp);
    connect(imgWeb, &ImmaginePremibile::rilasciata, this, &Autore::imgWeb_MouseUp);

    cmdChiudi6 = new QPushButton(kChiudi, this);
    cmdChiudi6->setObjectName(QStringLiteral("cmdChiudi6"));
    cmdChiudi6->setGeometry(334, 264, 90, 26);
    connect(cmdChiudi6, &QPushButton::clicked, this, &Autore::cmdChiudi6_Click);
    setTabOrder(imgEmail, imgWeb);
    setTabOrder(imgWeb, cmdChiudi6);
    cmdChiudi6->setFocus();
}

void Autore::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
    Label6->setText(kContatti.join(QStringLiteral("\r\n")));
}

void Autore::cmdChiudi6_Click() { close(); }

void Autore::imgEmail_MouseUp()
{
    std::optional<frmEmail> email;
    try {
        email.emplace(m_platform, this);
    } catch (const std::exception&) {
        m_platform.messaggi.mostra(
            this, kComposerFallito, kTitoloComposerFallito, Icona::Critica, Pulsanti::Ok);
        return;
    }
    email->txtIndirizzo->setText(IndirizzoSupporto);
    email->txtOggetto->setText(OggettoEmail);
    email->exec();
}

void Autore::imgWeb_MouseUp()
{
    // A browser that does not open is not reported.
    m_platform.shell.apriUrl(QUrl(SitoWeb));
}

void Autore::Form_Unload()
{
    // A fresh main window, loaded anew: empty fields, no card on display.
    QWidget* principale = m_principale();
    principale->setAttribute(Qt::WA_DeleteOnClose);
    principale->show();
}

void Autore::closeEvent(QCloseEvent* evento)
{
    if (!m_scaricata) {
        m_scaricata = true;
        Form_Unload();
    }
    evento->accept();
}

bool Autore::eventFilter(QObject* oggetto, QEvent* evento)
{
    const auto tipo = evento->type();
    if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(oggetto, evento);
    const bool su = tipo == QEvent::MouseButtonRelease;
    for (QLabel* l : { Label1, Label2, Label3, Label4, Label5, Label6 }) {
        if (oggetto != l)
            continue;
        // A click: released over the label it was pressed on.
        if (su && l->rect().contains(static_cast<QMouseEvent*>(evento)->position().toPoint()))
            cmdChiudi6_Click();
        return true;
    }
    return QWidget::eventFilter(oggetto, evento);
}

} // namespace melodora
