#include "mail_about/frmEmail.h"

#include "archive/AppFilePath.h"
#include "platform/ColoreFuoco.h"
#include "platform/Controlli.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace melodora {

namespace {
    // Every text of the composer that the user reads, in one place.
    const QString kDidascalia = QStringLiteral("Invio e-mail");
    const QString kEtichettaA = QStringLiteral("A:");
    const QString kEtichettaCc = QStringLiteral("Cc:");
    const QString kEtichettaCcn = QStringLiteral("Ccn:");
    const QString kEtichettaOggetto = QStringLiteral("Oggetto:");
    const QString kEtichettaTesto = QStringLiteral("Testo:");
    const QString kInvia = QStringLiteral("Invia");
    const QString kFallito = QStringLiteral("Non è stato possibile individuare il software "
                                            "predefinito per la gestione della posta elettronica.");
    const QString kTitoloFallito = QStringLiteral("Invio e-mail fallito");
    const QString kSuggerimentoTesto = QStringLiteral(
        " Testo del messaggio: Ctrl+Invio va a capo, Invio passa al pulsante Invia ");

    // Besides letters, digits and "-._~", the only characters left as they are: the
    // ones an address needs to stay readable. Everything else, "+" included (some
    // clients read it as a blank), travels percent-encoded, which a mailto: value may
    // always do, and which also keeps quotes and blanks away from launcher scripts.
    const QByteArray kLiberi = QByteArrayLiteral("@:,");

    // A line break is CR LF in a mailto: value, whatever the box delivered.
    QString righeCrLf(QString testo)
    {
        testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        testo.replace(QLatin1String("\n"), QLatin1String("\r\n"));
        return testo;
    }

    QString codifica(const QString& valore)
    {
        return QString::fromLatin1(righeCrLf(valore).toUtf8().toPercentEncoding(kLiberi));
    }
}

QString componiMailto(const QString& indirizzo, const QString& oggetto, const QString& corpo,
    const QString& copia, const QString& copiaNascosta)
{
    QString query;
    auto coppia = [&query](QLatin1String chiave, const QString& valore) {
        if (!valore.isEmpty())
            query += QLatin1Char('&') + chiave + QLatin1Char('=') + codifica(valore);
    };
    // The order of the pairs is fixed, whatever the order of the boxes on screen.
    coppia(QLatin1String("Subject"), oggetto);
    coppia(QLatin1String("Body"), corpo);
    coppia(QLatin1String("CC"), copia);
    coppia(QLatin1String("BCC"), copiaNascosta);
    if (!query.isEmpty())
        query[0] = QLatin1Char('?');
    return QStringLiteral("mailto:") + codifica(indirizzo) + query;
}

frmEmail::frmEmail(Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmEmail"));
    setWindowTitle(kDidascalia);
    creaControlli();
    Form_Load();
}

void frmEmail::creaControlli()
{
    setFixedSize(460, 330);
    const QFont courier(QStringLiteral("Courier New"), 10);
    auto etichetta = [&](const QString& nome, const QString& testo, int y) {
        auto* l = creaEtichetta(this, nome, testo, { 12, y, 80, 22 });
        l->setFont(courier);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    auto casella = [&](const QString& nome, int y) {
        auto* e = new QLineEdit(this);
        e->setObjectName(nome);
        e->setGeometry(96, y, 352, 22);
        return e;
    };
    lblIndirizzo = etichetta(QStringLiteral("lblIndirizzo"), kEtichettaA, 12);
    txtIndirizzo = casella(QStringLiteral("txtIndirizzo"), 12);
    lblCc = etichetta(QStringLiteral("lblCc"), kEtichettaCc, 40);
    txtCC = casella(QStringLiteral("txtCC"), 40);
    lblCcn = etichetta(QStringLiteral("lblCcn"), kEtichettaCcn, 68);
    txtCCN = casella(QStringLiteral("txtCCN"), 68);
    lblOggetto = etichetta(QStringLiteral("lblOggetto"), kEtichettaOggetto, 96);
    txtOggetto = casella(QStringLiteral("txtOggetto"), 96);
    lblTesto = etichetta(QStringLiteral("lblTesto"), kEtichettaTesto, 124);
    lblTesto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtCorpo = new QPlainTextEdit(this);
    txtCorpo->setObjectName(QStringLiteral("txtCorpo"));
    txtCorpo->setGeometry(96, 124, 352, 156);
    txtCorpo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtCorpo->setTabChangesFocus(true);
    txtCorpo->setToolTip(kSuggerimentoTesto);
    txtCorpo->setAccessibleName(kSuggerimentoTesto.trimmed());

    cmdInvia = new QPushButton(kInvia, this);
    cmdInvia->setObjectName(QStringLiteral("cmdInvia"));
    cmdInvia->setGeometry(358, 292, 90, 26);
    // No default button: Enter in a box walks to the next box, it never sends. Enter
    // on the button itself presses it, as on any focused button.
    cmdInvia->setAutoDefault(false);
    cmdInvia->setDefault(false);
    cmdInvia->installEventFilter(this);
    connect(cmdInvia, &QPushButton::clicked, this, &frmEmail::cmdInvia_Click);

    for (QWidget* w :
        std::initializer_list<QWidget*> { txtIndirizzo, txtCC, txtCCN, txtOggetto, txtCorpo }) {
        const QColor normale = QApplication::palette(w).color(QPalette::Base);
        coloraSfondo(w, normale);
        new ColoreFuoco(w, normale);
        w->installEventFilter(this);
    }
    setTabOrder(txtIndirizzo, txtCC);
    setTabOrder(txtCC, txtCCN);
    setTabOrder(txtCCN, txtOggetto);
    setTabOrder(txtOggetto, txtCorpo);
    setTabOrder(txtCorpo, cmdInvia);
    txtIndirizzo->setFocus();
}

void frmEmail::Form_Load()
{
    m_platform.guida.impostaFileGuida(AppFilePath(QStringLiteral("Sonoria.hlp")));
}

void frmEmail::cmdInvia_Click()
{
    if (ApriMailto(txtIndirizzo->text(), txtOggetto->text(), testoIntegro(txtCorpo), txtCC->text(),
            txtCCN->text()))
        accept();
}

bool frmEmail::ApriMailto(const QString& indirizzo, const QString& oggetto, const QString& corpo,
    const QString& copia, const QString& copiaNascosta)
{
    const QString testo = componiMailto(indirizzo, oggetto, corpo, copia, copiaNascosta);
    // The text is encoded already: Qt must take it as it is, neither decoding nor
    // encoding it again.
    const QUrl url = QUrl::fromEncoded(testo.toLatin1(), QUrl::StrictMode);
    if (url.isValid() && m_platform.shell.apriUrl(url))
        return true;
    m_platform.messaggi.mostra(this, kFallito, kTitoloFallito, Icona::Critica, Pulsanti::Ok);
    return false;
}

void frmEmail::campo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        m_platform.tasti.inviaTasti(QStringLiteral("{Tab}"));
}

void frmEmail::txtCorpo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        m_platform.tasti.inviaTasti(QStringLiteral("{Tab}"));
        KeyAscii = 0;
    } else if (KeyAscii == 10) {
        // The box would ignore Ctrl+Enter: the line break is put in here.
        txtCorpo->textCursor().insertText(QStringLiteral("\n"));
        txtCorpo->ensureCursorVisible();
        KeyAscii = 0;
    }
}

bool frmEmail::eCampo(const QObject* oggetto) const
{
    return oggetto == txtIndirizzo || oggetto == txtCC || oggetto == txtCCN || oggetto == txtOggetto
        || oggetto == txtCorpo;
}

bool frmEmail::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == cmdInvia && evento->type() == QEvent::KeyPress
        && codiceAscii(static_cast<QKeyEvent*>(evento)) == 13) {
        cmdInvia->click();
        return true;
    }
    if (!eCampo(oggetto))
        return QDialog::eventFilter(oggetto, evento);
    auto* campo = static_cast<QWidget*>(oggetto);
    switch (evento->type()) {
    case QEvent::KeyPress: {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        int KeyAscii = codiceAscii(tasto);
        // Ctrl+Enter delivers a line feed (10): the message text takes it as a line break.
        if (KeyAscii == 13 && (tasto->modifiers() & Qt::ControlModifier))
            KeyAscii = 10;
        if (KeyAscii == 0)
            return false; // a key that produces no character (Delete, arrows)
        if (campo == txtCorpo)
            txtCorpo_KeyPress(KeyAscii);
        else
            campo_KeyPress(KeyAscii);
        return KeyAscii == 0;
    }
    default:
        return false;
    }
}

} // namespace melodora
