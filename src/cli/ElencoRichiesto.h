#pragma once

#include "archive/Esito.h"
#include "lists/Elenchi.h"
#include "lists/Parole.h"

#include <QStringList>

namespace melodora {
class ArchivioSchede;
}

namespace melodora::cli {

/**
 * A list of cards named on the command line, as `search`, `print-list` and `songbook` name
 * it: a search by the first letters of a field or by words ("titolo|artista|album|genere"
 * or "testo|note|tutto" and the text), the audio list, or every card.
 */
struct ElencoRichiesto {
    enum class Tipo { Tutte, Iniziali, Parole, Audio };
    Tipo tipo = Tipo::Tutte;
    CampoRicerca campo = CampoRicerca::Titolo;
    AmbitoParole ambito = AmbitoParole::Testo;
    QString testo;

    /** Reads "FIELD TEXT" (the words after "search"); false when FIELD names no search. */
    bool leggiRicerca(const QStringList& parole);
    /** Reads "search FIELD TEXT", "audio", or (when @p tutteAmmesse) nothing at all. */
    bool leggi(const QStringList& parole, bool tutteAmmesse);

    /** The message for a search with nothing to look for (the search window's own); empty
     * otherwise. */
    QString criterioVuoto() const;
    /** The list's entries, in the list windows' order. */
    Esito voci(const ArchivioSchede& archivio, VociSchede& voci) const;
    /** What a list printout names as its criterion. */
    QString criterio() const;
};

} // namespace melodora::cli
