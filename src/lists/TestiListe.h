#pragma once

#include <QString>

// Every text of the search window and of the audio list window that the user reads.
namespace melodora::testi_liste {

// Shared by both windows. Tooltips: the blanks at both ends belong to the text.
inline const QString TipGuida = QStringLiteral(" Guida ");
inline const QString TipChiudi = QStringLiteral(" Chiudi ");
inline const QString TipStampa = QStringLiteral(" Stampa ");
inline const QString NomeGuida = QStringLiteral("Sonoria.hlp");

// The search window.
inline const QString DidascaliaRicerca = QStringLiteral("Trova scheda");
inline const QString Info = QStringLiteral(
    "Utilizzare uno dei seguenti criteri di ricerca digitando le prime lettere della voce "
    "desiderata nell'apposita casella e premendo il pulsante alla sua destra.");
inline const QString TitoloAttenzione = QStringLiteral("Attenzione:");
inline const QString TipTrova = QStringLiteral(" Trova ");
inline const QString TipIndietro = QStringLiteral(" Indietro ");
inline const QString TipZoom = QStringLiteral(" Zoom ");
inline const QString TipCercaArtista = QStringLiteral(" Cerca per artista o gruppo ");
inline const QString TipCercaGenere = QStringLiteral(" Cerca per genere musicale ");
inline const QString FaiClicRicerca = QStringLiteral("Fare doppio clic sulla voce selezionata");
inline const QString SchedeTrovate = QStringLiteral("  SCHEDE TROVATE");

// The four criteria rows: frame caption, criterion prefix, empty-criterion message, instruction.
inline const QString CorniceBrano = QStringLiteral(" Titolo del brano: ");
inline const QString CorniceArtista = QStringLiteral(" Artista: ");
inline const QString CorniceAlbum = QStringLiteral(" Album: ");
inline const QString CorniceGenere = QStringLiteral(" Genere musicale: ");
inline const QString PrefissoBrano = QStringLiteral("Brano: ");
inline const QString PrefissoArtista = QStringLiteral("Artista: ");
inline const QString PrefissoAlbum = QStringLiteral("Album: ");
inline const QString PrefissoGenere = QStringLiteral("Genere musicale: ");
inline const QString VuotoBrano = QStringLiteral(
    "Inserire le prime lettere del titolo del brano prima di premere il pulsante Trova.");
inline const QString VuotoArtista = QStringLiteral(
    "Inserire le prime lettere del nome dell'artista prima di premere il pulsante Trova.");
inline const QString VuotoAlbum = QStringLiteral(
    "Inserire le prime lettere del titolo dell'album prima di premere il pulsante Trova.");
inline const QString VuotoGenere = QStringLiteral(
    "Inserire le prime lettere del genere musicale prima di premere il pulsante Trova.");
inline const QString CercaBrano
    = QStringLiteral("Inserire le prime lettere del titolo del brano nel riquadro sottostante:");
inline const QString CercaArtista
    = QStringLiteral("Inserire le prime lettere del nome dell'artista nel riquadro sottostante:");
inline const QString CercaAlbum
    = QStringLiteral("Inserire le prime lettere del titolo dell'album nel riquadro sottostante:");
inline const QString CercaGenere
    = QStringLiteral("Inserire le prime lettere del genere musicale nel riquadro sottostante:");

// The fifth criterion: the words of the lyrics, in any order. Its entries are in the title
// format, so typing in the results panel looks for a title.
inline const QString CorniceTesto = QStringLiteral(" Parole del testo: ");
inline const QString PrefissoTesto = QStringLiteral("Testo: ");
inline const QString VuotoTesto = QStringLiteral(
    "Inserire una o più parole del testo della canzone prima di premere il pulsante Trova.");
inline const QString TipCercaTesto = QStringLiteral(" Cerca per parole del testo ");

// The audio list window.
inline const QString DidascaliaAudio = QStringLiteral(" Lista MP3");
inline const QString CercaBranoAudio
    = QStringLiteral("Digitare le prime lettere del brano da cercare.");
inline const QString BraniInArchivio = QStringLiteral("  brani in archivio");
inline const QString FaiClicAudio
    = QStringLiteral("Fare doppio clic sul brano selezionato per visualizzare la relativa scheda.");

} // namespace melodora::testi_liste
