// Navigation, display and clearing of the card on display.
#include "main_window/frmSonoria.h"

#include "archive/Archivio.h"
#include "main_window/TestiSonoria.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace melodora {

using namespace testi_sonoria;

namespace {
    enum Pulsante { Primo, Indietro, Avanti, Ultimo };

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
}

void frmSonoria::cmdPrimo_Click() { naviga(Primo); }
void frmSonoria::cmdIndietro_Click() { naviga(Indietro); }
void frmSonoria::cmdAvanti_Click() { naviga(Avanti); }
void frmSonoria::cmdUltimo_Click() { naviga(Ultimo); }

void frmSonoria::naviga(int pulsante)
{
    CloseAudio();
    qint64 n = 0;
    switch (pulsante) {
    case Primo:
        n = 1;
        break;
    case Avanti:
        n = numeroCorrente() + 1;
        break;
    case Indietro:
        n = numeroCorrente() - 1;
        break;
    default:
        break;
    }
    // An archive that cannot be opened or measured counts as empty.
    auto archivio = ArchivioSchede::apri(percorsoArchivio(), m_platform.file);
    const double c = archivio ? archivio->NumeroSchede() : 0.0;
    if (c <= 0) {
        if (pulsante != Indietro)
            m_platform.messaggi.mostra(
                this, ArchivioVuoto, TitoloAttenzione, Icona::Esclamazione, Pulsanti::Ok);
        lblPosizione->setText(QString());
        archivio.reset();
        cmdNuovo_Click();
        return;
    }
    // A whole number compared with the real count; a number taken from the count is
    // rounded (halves to even) before the record is read.
    if (pulsante == Avanti || pulsante == Indietro) {
        if (n < 1)
            n = 1;
        if (static_cast<double>(n) > c)
            n = arrotondaNumero(c);
    } else if (pulsante == Ultimo) {
        n = arrotondaNumero(c);
    }
    if (n < 1)
        n = 1;
    Scheda scheda;
    if (pulsante == Avanti || pulsante == Indietro) {
        lblPosizione->setText(TestoPosizione(n));
        if (archivio->LeggiScheda(n, scheda))
            MostraScheda(n, scheda);
    } else if (archivio->LeggiScheda(n, scheda)) {
        MostraScheda(n, scheda);
    }
}

void frmSonoria::cmdNuovo_Click()
{
    CloseAudio();
    lblPosizione->setText(QString());
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
