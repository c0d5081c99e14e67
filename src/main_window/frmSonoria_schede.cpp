// The card on display: its fields as the user types, navigation and clearing, saving
// and deleting, and emptying the audio path.
#include "main_window/frmSonoria.h"

#include "archive/Redazione.h"
#include "main_window/TestiSonoria.h"
#include "platform/Controlli.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace melodora {

using namespace testi_sonoria;

namespace {
    constexpr int kLunghezzaGenere = 40;

    // Characters as the archive counts them: a line break is CR LF, two characters.
    qsizetype lunghezzaSuDisco(const QString& testo)
    {
        return testo.size() + testo.count(QLatin1Char('\n'));
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

void frmSonoria::mostraTesto(const Scheda& scheda)
{
    txtTesto->setPlainText(
        scheda.testo(Campo::Testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmSonoria::MostraScheda(qint64 n, const Scheda& scheda)
{
    txtBrano->setText(scheda.testo(Campo::Brano));
    txtArtista->setText(scheda.testo(Campo::Artista));
    txtAlbum->setText(scheda.testo(Campo::Album));
    txtGenere->setEditText(scheda.testo(Campo::Genere));
    txtAnno->setText(scheda.testo(Campo::Anno));
    txtNote->setText(scheda.testo(Campo::Note));
    mostraTesto(scheda);
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

// ---------------------------------------------------------------------------------------
// Typing

void frmSonoria::campo_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        m_platform.tasti.inviaTasti(QStringLiteral("{Tab}"));
}

void frmSonoria::txtGenere_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13)
        m_platform.tasti.inviaTasti(QStringLiteral("{Tab}"));
    const QString testo = txtGenere->currentText();
    const qsizetype selezione = txtGenere->lineEdit()->selectedText().size();
    if (testo.size() >= kLunghezzaGenere && selezione == 0) {
        txtGenere->setEditText(testo.left(kLunghezzaGenere));
        KeyAscii = 0;
    }
}

void frmSonoria::limitaTesto()
{
    // The lyrics box refuses characters beyond its 2000, as a text box's maximum
    // length does; whatever was just typed or pasted is cut at the end.
    if (m_limitando)
        return;
    const QString testo = testoIntegro(txtTesto);
    const qsizetype eccesso = lunghezzaSuDisco(testo) - info(Campo::Testo).lunghezza;
    if (eccesso <= 0)
        return;
    m_limitando = true;
    QTextCursor cursore = txtTesto->textCursor();
    const int fine = cursore.position();
    // Remove characters before the caret (the text just inserted) until it fits.
    int inizio = fine;
    qsizetype tolti = 0;
    while (inizio > 0 && tolti < eccesso) {
        --inizio;
        tolti += testo.at(inizio) == QLatin1Char('\n') ? 2 : 1;
    }
    if (tolti < eccesso) {
        // Nothing before the caret to take back: cut the end of the text instead.
        txtTesto->setPlainText(testo.left(testo.size() - eccesso));
    } else {
        cursore.setPosition(inizio);
        cursore.setPosition(fine, QTextCursor::KeepAnchor);
        cursore.removeSelectedText();
        txtTesto->setTextCursor(cursore);
    }
    m_limitando = false;
}

// ---------------------------------------------------------------------------------------
// Saving and deleting

Scheda frmSonoria::SchedaDaCampi() const
{
    QString testo = testoIntegro(txtTesto);
    testo.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); // CR LF on disk
    return Scheda::daTesti({ txtBrano->text(), txtArtista->text(), txtAlbum->text(),
        txtGenere->currentText(), txtAnno->text(), txtNote->text(), testo, txtMP3->text() });
}

bool frmSonoria::archivioOccupato(const Esito& esito)
{
    if (esito.motivo != Motivo::Occupato)
        return false;
    m_platform.messaggi.beep();
    m_platform.messaggi.mostra(
        this, ArchivioInUso, TitoloErrore, Icona::Esclamazione, Pulsanti::Ok);
    return true;
}

void frmSonoria::cmdSalva_Click()
{
    if (togliSpazi(txtBrano->text()).isEmpty()) {
        m_platform.messaggi.mostra(this, BranoMancante, TitoloSalvataggioNonApplicabile,
            Icona::Esclamazione, Pulsanti::Ok);
        txtBrano->setFocus();
        return;
    }
    auto errore = [this] {
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(
            this, ErroreSalvataggio, TitoloErrore, Icona::Nessuna, Pulsanti::Ok);
    };
    Redazione redazione(percorsoArchivio(), m_platform.file);
    const Scheda scheda = SchedaDaCampi();

    if (!lblPosizione->text().isEmpty()) {
        // Replace the card on display, if the archive still holds it as we showed it.
        const Esito e = redazione.sostituisci(numeroCorrente(), m_vista, scheda);
        if (archivioOccupato(e))
            return;
        if (e.motivo == Motivo::Inesistente || e.motivo == Motivo::Cambiata) {
            // Writing would replace another card or append: the typed fields stay, as a
            // new card that the next save stores.
            m_platform.messaggi.beep();
            m_platform.messaggi.mostra(this,
                SalvataggioImpossibile + Separatore + SchedaNonPiuPresente1 + lblPosizione->text()
                    + SalvataggioRifiutato2,
                TitoloErrore, Icona::Critica, Pulsanti::Ok);
            lblPosizione->setText(QString());
            m_vista.reset();
            return;
        }
        if (!e)
            return errore();
        m_vista = scheda;
        m_platform.messaggi.mostra(this,
            ModificheInserite1 + lblPosizione->text() + ModificheInserite2,
            TitoloSalvataggioTerminato, Icona::Informazione, Pulsanti::Ok);
        return;
    }

    // Append a new card. The caption names it only once it is on disk: a failed write
    // must leave the window on "new card", or the next save would replace a card that
    // does not exist and drop the user's fields.
    qint64 n = 0;
    const Esito e = redazione.aggiungi(scheda, n);
    if (archivioOccupato(e))
        return;
    if (e.motivo == Motivo::Danneggiato) {
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(this,
            ArchivioDanneggiato + e.errore + QLatin1Char('.') + Separatore + SuggerimentoControllo,
            TitoloErrore, Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    if (!e)
        return errore();
    lblPosizione->setText(TestoPosizione(n));
    m_vista = scheda;
    m_platform.messaggi.mostra(this, SchedaInserita1 + lblPosizione->text() + SchedaInserita2,
        TitoloSalvataggioTerminato, Icona::Informazione, Pulsanti::Ok);
}

void frmSonoria::cmdElimina_Click()
{
    CloseAudio();
    if (lblPosizione->text().isEmpty()) {
        m_platform.messaggi.mostra(this, CancellazioneNonApplicabile,
            TitoloOperazioneNonApplicabile, Icona::Informazione, Pulsanti::Ok);
        return;
    }
    const Risposta risposta = m_platform.messaggi.mostra(this,
        ConfermaCancellazione1 + lblPosizione->text() + ConfermaCancellazione2, TitoloConferma,
        Icona::Domanda, Pulsanti::SiNo);
    if (risposta != Risposta::Si)
        return;

    Redazione redazione(percorsoArchivio(), m_platform.file);
    qint64 rimaste = 0;
    const Esito e = redazione.elimina(numeroCorrente(), m_vista, rimaste);
    if (archivioOccupato(e))
        return;
    switch (e.motivo) {
    case Motivo::Nessuno:
        // The caption still holds the removed card's number: this shows the card before it.
        cmdIndietro_Click();
        m_platform.messaggi.mostra(
            this, SchedaRimossa, TitoloCancellazioneTerminata, Icona::Informazione, Pulsanti::Ok);
        return;
    case Motivo::Inesistente:
    case Motivo::Cambiata:
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(this,
            SchedaNonPiuPresente1 + lblPosizione->text()
                + (e.motivo == Motivo::Inesistente ? SchedaNonPiuPresente2
                                                   : CancellazioneRifiutata2),
            TitoloErrore, Icona::Informazione, Pulsanti::Ok);
        return;
    case Motivo::NonSincronizzata:
        // The card is gone from the archive already: the window must follow it, or a
        // later save of these fields would overwrite the card that took its number.
        cmdIndietro_Click();
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(this, RimossaNonSincronizzata + Separatore + e.errore,
            TitoloErrore, Icona::Esclamazione, Pulsanti::Ok);
        return;
    default:
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(
            this, ErroreCancellazione, TitoloErrore, Icona::Informazione, Pulsanti::Ok);
        return;
    }
}

void frmSonoria::imgGomma_MouseUp()
{
    CloseAudio();
    txtMP3->setText(QString());
}

} // namespace melodora
