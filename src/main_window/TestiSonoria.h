#pragma once

#include <QString>
#include <QStringList>

// Every text of the main window that the user reads, in one place.
namespace melodora::testi_sonoria {

inline const QString Didascalia = QStringLiteral(" Melodora 1.0");
inline const QString TitoloAttenzione = QStringLiteral("Melodora 1.0 - Attenzione:");
inline const QString ArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");

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
inline const QString SuggerimentoSfoglia
    = QStringLiteral("Specificare il percorso di un file audio utilizzando il pulsante Sfoglia.");
inline const QString NessunBrano
    = QStringLiteral("Importare un brano audio prima di premere questo pulsante.");
inline const QString TitoloNessunBrano = QStringLiteral("Attenzione: nessun brano selezionato");

} // namespace melodora::testi_sonoria
