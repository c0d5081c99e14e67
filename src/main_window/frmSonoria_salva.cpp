// Saving and deleting cards, and emptying the audio path.
#include "main_window/frmSonoria.h"

#include "archive/Redazione.h"
#include "main_window/TestiSonoria.h"
#include "platform/Controlli.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace melodora {

using namespace testi_sonoria;

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
