#pragma once

#include "archive/Programma.h"
#include <QString>
#include <QStringList>

// Every text of the main window that the user reads, in one place.
namespace melodora::testi_sonoria {

inline const QString Didascalia = QStringLiteral(" ") + QLatin1String(kNomeProgramma);
inline const QString TitoloAttenzione = titolo(QStringLiteral("Attenzione:"));
inline const QString ArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");

// Saving and deleting. Two paragraphs are joined by a blank line.
inline const QString Separatore = QStringLiteral("\r\n\r\n");
inline const QString TitoloSalvataggioNonApplicabile
    = titolo(QStringLiteral("Salvataggio non applicabile"));
inline const QString TitoloSalvataggioTerminato = titolo(QStringLiteral("Salvataggio terminato"));
inline const QString TitoloErrore = titolo(QStringLiteral("Messaggio di errore"));
inline const QString TitoloOperazioneNonApplicabile
    = titolo(QStringLiteral("Operazione non applicabile"));
inline const QString TitoloConferma = titolo(QStringLiteral("Conferma operazione"));
inline const QString TitoloCancellazioneTerminata
    = titolo(QStringLiteral("Cancellazione terminata"));
inline const QString BranoMancante
    = QStringLiteral("E' necessario specificare il titolo del brano che si vuole archiviare.");
inline const QString SalvataggioImpossibile = QStringLiteral("Impossibile salvare le modifiche.");
inline const QString ModificheInserite1 = QStringLiteral("Le modifiche apportate alla scheda n. ");
inline const QString ModificheInserite2 = QStringLiteral(" sono state inserite in archivio.");
inline const QString SchedaInserita1 = QStringLiteral("La scheda n. ");
inline const QString SchedaInserita2 = QStringLiteral(" è stata inserita in archivio.");
inline const QString ErroreSalvataggio
    = QStringLiteral("Il Sistema non permette di salvare i dati.") + Separatore
    + QStringLiteral("Accertarsi che il file di archivio (Sonoria.sng) non abbia attributi di "
                     "protezione.");
inline const QString CancellazioneNonApplicabile
    = QStringLiteral("La cancellazione può essere applicata soltanto ad una scheda già presente "
                     "in archivio.")
    + Separatore
    + QStringLiteral(
        "Se si vuole semplicemente vuotare tutti i campi di testo, fare clic su Nuovo.");
inline const QString ConfermaCancellazione1
    = QStringLiteral("Si vuole proprio cancellare la scheda n.");
inline const QString ConfermaCancellazione2 = QStringLiteral("?");
inline const QString SchedaRimossa = QStringLiteral("La scheda è stata rimossa dall'archivio.");
inline const QString ErroreCancellazione = QStringLiteral("Impossibile eliminare la scheda.")
    + Separatore
    + QStringLiteral("Accertarsi che il file di archivio non abbia attributi di protezione.");
// A card on display that the archive no longer holds (shortened by another program).
inline const QString SchedaNonPiuPresente1 = QStringLiteral("La scheda n.");
inline const QString SchedaNonPiuPresente2 = QStringLiteral(" non è più presente in archivio.")
    + Separatore
    + QStringLiteral("L'archivio è stato modificato da un altro programma: nessuna scheda è "
                     "stata eliminata.");
// Another program got to the archive first: what happened, and what to do.
inline const QString ArchivioInUso
    = QStringLiteral("L'archivio è in uso da un altro programma: nessuna modifica è stata "
                     "apportata.")
    + Separatore + QStringLiteral("Riprovare tra qualche istante.");
inline const QString SalvataggioRifiutato2
    = QStringLiteral(" è stata modificata o rimossa da un altro programma. I dati inseriti "
                     "sono rimasti nei campi: per archiviarli come una nuova scheda, fare clic "
                     "su Salva.");
inline const QString CancellazioneRifiutata2
    = QStringLiteral(" è stata modificata da un altro programma: nessuna scheda è stata "
                     "eliminata.")
    + Separatore
    + QStringLiteral("Per vedere la scheda com'è ora, tornarvi con i pulsanti di scorrimento.");
inline const QString RimossaNonSincronizzata
    = QStringLiteral("La scheda è stata rimossa dall'archivio, ma il sistema non ha confermato "
                     "la scrittura su disco: un'interruzione di corrente potrebbe annullare la "
                     "cancellazione.");
inline const QString ArchivioDanneggiato = QStringLiteral("Impossibile salvare la scheda: ");
inline const QString SuggerimentoControllo
    = QStringLiteral("Per controllare l'archivio usare il comando: melodora-cli check");
inline const QString ArchivioIllegibile = QStringLiteral("Impossibile leggere l'archivio.");

// Tooltips: the blanks at both ends belong to the text.
inline const QString TipTrova = QStringLiteral(" Trova ");
inline const QString TipListaMP3 = QStringLiteral(" Lista MP3 ");
inline const QString TipNuovo = QStringLiteral(" Nuovo ");
inline const QString TipSalva = QStringLiteral(" Salva ");
inline const QString TipElimina = QStringLiteral(" Elimina ");
inline const QString TipStampa = QStringLiteral(" Stampa ");
inline const QString TipPrimo = QStringLiteral(" Prima scheda ");
inline const QString TipIndietro = QStringLiteral(" Scheda precedente ");
inline const QString TipAvanti = QStringLiteral(" Scheda successiva ");
inline const QString TipUltimo = QStringLiteral(" Ultima scheda ");
inline const QString TipGomma = QStringLiteral(" Cancella percorso file ");
inline const QString TipGuida = QStringLiteral(" Guida ");
inline const QString TipRights = QStringLiteral(" Informazioni su... ");
inline const QString TipEsci = QStringLiteral(" Esci ");
inline const QString TipGenere = QStringLiteral(" Cerca per genere musicale ");

inline const QString EtichettaBrano = QStringLiteral("Titolo del brano");
inline const QString EtichettaArtista = QStringLiteral("Artista");
inline const QString EtichettaAlbum = QStringLiteral("Album");
inline const QString EtichettaGenere = QStringLiteral("Genere musicale");
inline const QString EtichettaAnno = QStringLiteral("Anno");
inline const QString EtichettaNote = QStringLiteral("Note");
inline const QString EtichettaTesto = QStringLiteral("Testo della canzone");
inline const QString EtichettaMP3 = QStringLiteral("File MP3");
inline const QString Sfoglia = QStringLiteral("Sfoglia...");

// The audio file and its playback.
inline const QString TitoloSfoglia = QStringLiteral("Selezionare un file MP3 o WAV:");
inline const QStringList FiltriAudio { QStringLiteral("File Mp3 (*.mp3)"),
    QStringLiteral("File Wave (*.wav)"), QStringLiteral("Tutti i file (*.*)") };
inline const QString FileAudioNonValido = QStringLiteral("Il file audio selezionato non è valido.");
// Why a chosen path cannot be kept: the second paragraph of the message above.
inline const QString PercorsoTroppoLungo = QStringLiteral(
    "Il percorso è lungo %1 caratteri, ma la scheda ne può contenere al massimo %2.");
inline const QString PercorsoConCarattere
    = QStringLiteral("Il percorso contiene il carattere %1, che la scheda non può contenere.");
inline const QString SuggerimentoSfoglia
    = QStringLiteral("Specificare il percorso di un file audio utilizzando il pulsante Sfoglia.");
inline const QString NessunBrano
    = QStringLiteral("Importare un brano audio prima di premere questo pulsante.");
inline const QString TitoloNessunBrano = QStringLiteral("Attenzione: nessun brano selezionato");

} // namespace melodora::testi_sonoria
