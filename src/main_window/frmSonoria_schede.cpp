// Navigation, display and clearing of the card on display.
#include "main_window/frmSonoria.h"

#include "archive/Redazione.h"
#include "main_window/TestiSonoria.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace melodora {

using namespace testi_sonoria;

namespace {
    // Line breaks are CR LF in the archive and a bare LF inside the text widget.
    QString perWidget(const QString& testo)
    {
        QString t = testo;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return t;
    }
}

QString frmSonoria::TestoPosizione(qint64 n) { return QStringLiteral(" ") + QString::number(n); }

qint64 frmSonoria::numeroCorrente() const
{
    // As a number: leading blanks skipped, the digits read, nothing else.
    const QString c = lblPosizione->text();
    qsizetype i = 0;
    while (i < c.size() && c.at(i) == QLatin1Char(' '))
        ++i;
    qint64 n = 0;
    while (i < c.size() && c.at(i).isDigit() && n < (qint64(1) << 50)) {
        n = n * 10 + c.at(i).digitValue();
        ++i;
    }
    return n;
}

void frmSonoria::MostraScheda(qint64 n, const Scheda& scheda)
{
    txtBrano->setText(scheda.testo(Campo::Brano));
    txtArtista->setText(scheda.testo(Campo::Artista));
    txtAlbum->setText(scheda.testo(Campo::Album));
    txtGenere->setEditText(scheda.testo(Campo::Genere));
    txtAnno->setText(scheda.testo(Campo::Anno));
    txtNote->setText(scheda.testo(Campo::Note));
    txtTesto->setPlainText(perWidget(scheda.testo(Campo::Testo)));
    txtMP3->setText(scheda.testo(Campo::MP3));
    // Long values show from their start, as a freshly filled box does.
    for (QLineEdit* e :
        { txtBrano, txtArtista, txtAlbum, txtGenere->lineEdit(), txtAnno, txtNote, txtMP3 })
        e->setCursorPosition(0);
    lblPosizione->setText(TestoPosizione(n));
    m_vista = scheda;
}

void frmSonoria::cmdPrimo_Click() { naviga(Verso::Prima); }
void frmSonoria::cmdIndietro_Click() { naviga(Verso::Precedente); }
void frmSonoria::cmdAvanti_Click() { naviga(Verso::Successiva); }
void frmSonoria::cmdUltimo_Click() { naviga(Verso::Ultima); }

void frmSonoria::naviga(Verso verso)
{
    CloseAudio();
    qint64 n = 0;
    Scheda scheda;
    const Esito e
        = Redazione(percorsoArchivio(), m_platform.file).naviga(verso, numeroCorrente(), n, scheda);
    if (!e) {
        // The number and the fields stay together as they were: a save must never write
        // the fields on display over a card they do not come from.
        m_platform.messaggi.mostra(this, ArchivioIllegibile + Separatore + e.errore, TitoloErrore,
            Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    if (n == 0) {
        if (verso != Verso::Precedente)
            m_platform.messaggi.mostra(
                this, ArchivioVuoto, TitoloAttenzione, Icona::Esclamazione, Pulsanti::Ok);
        cmdNuovo_Click();
        return;
    }
    MostraScheda(n, scheda);
}

void frmSonoria::cmdNuovo_Click()
{
    CloseAudio();
    lblPosizione->setText(QString());
    m_vista.reset();
    txtBrano->setText(QString());
    txtArtista->setText(QString());
    txtAlbum->setText(QString());
    txtGenere->setEditText(QString());
    txtAnno->setText(QString());
    txtNote->setText(QString());
    txtTesto->setPlainText(QString());
    txtMP3->setText(QString());
    txtBrano->setFocus();
}

} // namespace melodora
