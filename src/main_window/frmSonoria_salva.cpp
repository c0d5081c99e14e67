// Saving and deleting cards, and emptying the audio path.
#include "main_window/frmSonoria.h"

#include "archive/AppFilePath.h"
#include "archive/Archivio.h"
#include "archive/Cancellazione.h"
#include "main_window/TestiSonoria.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace melodora {

using namespace testi_sonoria;

namespace {
    // The card count, or -1 when the file cannot be measured: a save must not take an
    // unknown length for an empty archive and write over card 1.
    double numeroSchede(const ArchivioSchede& archivio)
    {
        const qint64 lunghezza = archivio.lunghezza();
        return lunghezza < 0 ? -1.0 : static_cast<double>(lunghezza) / kLunghezzaScheda;
    }
}

Scheda frmSonoria::SchedaDaCampi() const
{
    QString testo = txtTesto->toPlainText();
    testo.replace(QLatin1Char('\n'), QStringLiteral("\r\n")); // CR LF on disk
    return Scheda::daTesti({ txtBrano->text(), txtArtista->text(), txtAlbum->text(),
        txtGenere->currentText(), txtAnno->text(), txtNote->text(), testo, txtMP3->text() });
}

void frmSonoria::cmdSalva_Click()
{
    // Every handle lives inside this handler: leaving it closes the archive.
    const QString percorso = percorsoArchivio();
    auto errore = [this] {
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(
            this, ErroreSalvataggio, TitoloErrore, Icona::Nessuna, Pulsanti::Ok);
    };

    if (togliSpazi(txtBrano->text()).isEmpty()) {
        m_platform.messaggi.mostra(this, BranoMancante, TitoloSalvataggioNonApplicabile,
            Icona::Esclamazione, Pulsanti::Ok);
        txtBrano->setFocus();
        return;
    }

    if (!lblPosizione->text().isEmpty()) {
        // Replace the card on display.
        const qint64 n = numeroCorrente();
        auto archivio = ArchivioSchede::apri(percorso, m_platform.file);
        const double c = archivio ? numeroSchede(*archivio) : -1.0;
        if (c < 0)
            return errore();
        if (n < 1 || static_cast<double>(n) > c) {
            // The archive no longer holds that card: writing would append instead.
            archivio.reset();
            m_platform.messaggi.beep();
            m_platform.messaggi.mostra(
                this, SalvataggioImpossibile, TitoloErrore, Icona::Critica, Pulsanti::Ok);
            cmdNuovo_Click();
            return;
        }
        if (!archivio->ScriviScheda(n, SchedaDaCampi())) {
            archivio.reset();
            return errore();
        }
        archivio.reset(); // synced by the write; closing has nothing left to report
        m_platform.messaggi.mostra(this,
            ModificheInserite1 + lblPosizione->text() + ModificheInserite2,
            TitoloSalvataggioTerminato, Icona::Informazione, Pulsanti::Ok);
        return;
    }

    // Append a new card. The caption names it only once it is on disk: a failed write
    // must leave the window on "new card", or the next save would replace a card that
    // does not exist and drop the user's fields.
    auto archivio = ArchivioSchede::apri(percorso, m_platform.file);
    const double c = archivio ? numeroSchede(*archivio) : -1.0;
    if (c < 0)
        return errore();
    const qint64 n = arrotondaNumero(c + 1);
    if (!archivio->ScriviScheda(n, SchedaDaCampi())) {
        archivio.reset();
        return errore();
    }
    archivio.reset();
    lblPosizione->setText(TestoPosizione(n));
    m_platform.messaggi.mostra(this, SchedaInserita1 + lblPosizione->text() + SchedaInserita2,
        TitoloSalvataggioTerminato, Icona::Informazione, Pulsanti::Ok);
}

void frmSonoria::cmdElimina_Click()
{
    CloseAudio();
    const QString archivio = percorsoArchivio();
    const QString copia = AppFilePath(QString::fromLatin1(kNomeTemporaneo));
    auto errore = [this] {
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(
            this, ErroreCancellazione, TitoloErrore, Icona::Informazione, Pulsanti::Ok);
    };

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

    const RisultatoCancellazione r
        = eliminaScheda(archivio, copia, numeroCorrente(), m_platform.file);
    switch (r.stato) {
    case StatoCancellazione::Inesistente:
        m_platform.messaggi.beep();
        m_platform.messaggi.mostra(this,
            SchedaNonPiuPresente1 + lblPosizione->text() + SchedaNonPiuPresente2, TitoloErrore,
            Icona::Informazione, Pulsanti::Ok);
        return;
    case StatoCancellazione::Fallita:
        return errore();
    case StatoCancellazione::NonSincronizzata:
        // The card is gone from the archive already: the window must follow it, or a
        // later save of these fields would overwrite the card that took its number.
        cmdIndietro_Click();
        return errore();
    case StatoCancellazione::Eseguita:
        break;
    }
    // The caption still holds the removed card's number: this shows the card before it.
    cmdIndietro_Click();
    m_platform.messaggi.mostra(
        this, SchedaRimossa, TitoloCancellazioneTerminata, Icona::Informazione, Pulsanti::Ok);
}

void frmSonoria::imgGomma_MouseUp()
{
    CloseAudio();
    txtMP3->setText(QString());
}

} // namespace melodora
