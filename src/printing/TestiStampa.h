#pragma once

#include "archive/Programma.h"
#include <QString>

// Every text of the printouts and of the card print dialog, in one place.
namespace melodora::testi_stampa {

// The card print dialog.
inline const QString Didascalia = titolo(QStringLiteral("Stampa scheda corrente"));
inline const QString StampantePredefinita = QStringLiteral("Stampante predefinita :");
/** Followed by the device name: two blanks after the colon. */
inline const QString StampantePredefinitaNome = QStringLiteral("Stampante predefinita :  ");
inline const QString Seleziona = QStringLiteral("Selezionare un'opzione : ");
inline const QString OpzioneTutto
    = QStringLiteral(" Stampa informazioni sul brano e testo della canzone.");
inline const QString OpzioneInfo = QStringLiteral(" Stampa solo informazioni sul brano.");
inline const QString OpzioneTesto = QStringLiteral(" Stampa solo testo della canzone.");
inline const QString TipStampa = QStringLiteral(" Stampa ");
inline const QString TipAnnulla = QStringLiteral(" Annulla ");
inline const QString TipGuida = QStringLiteral(" Guida ");

inline const QString TitoloMancante = QStringLiteral(
    "E' necessario compilare il campo Titolo del brano prima di procedere alla stampa della "
    "scheda.");
inline const QString TitoloNonApplicabile = titolo(QStringLiteral("Stampa non applicabile"));

// The card printout.
inline const QString Di = QStringLiteral(" di ");
inline const QString EtichettaArtista = QStringLiteral("Artista o gruppo:");
inline const QString EtichettaAlbum = QStringLiteral("Album:");
inline const QString EtichettaGenere = QStringLiteral("Genere musicale:");
inline const QString EtichettaAnno = QStringLiteral("Anno di pubblicazione:");
inline const QString Note = QStringLiteral("NOTE: ");
inline const QString TestoCanzone = QStringLiteral("TESTO DELLA CANZONE: ");
inline const QString PiedeData = QStringLiteral("Scheda stampata in data ");
inline const QString PiedeOra = QStringLiteral(" alle ore ");

// The list printouts.
inline const QString ListaVuota = QStringLiteral("La lista non contiene nessuna voce.");
inline const QString TitoloListaVuota = QStringLiteral("Attenzione: Stampa non applicabile");
inline const QString InizioStampa = QStringLiteral("Premere OK per dare inizio alla stampa.");
inline const QString TitoloInizioStampa = titolo(QStringLiteral("Stampa elenco sonoria"));
inline const QString PrefissoRicerca = titolo(QString());
inline const QString IntestazioneAudio = QStringLiteral("Sonoria in archivio");
inline const QString TotaleRicerca = QStringLiteral("Totale voci in elenco: ");
inline const QString TotaleAudio = QStringLiteral("Totale brani: ");

// A printout that failed, card or list.
inline const QString ErroreStampa
    = QStringLiteral("Si è verificato un errore durante l'operazione di stampa.\r\n\r\n"
                     "Accertarsi che la stampante sia configurata correttamente.");
inline const QString TitoloErroreStampa = QStringLiteral("Attenzione: Operazione non eseguibile");

} // namespace melodora::testi_stampa
