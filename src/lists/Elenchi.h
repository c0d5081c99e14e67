#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QStringList>

namespace melodora {

class ArchivioSchede;

/** The four searches of the search window, each matching one field. */
enum class CampoRicerca { Titolo, Artista, Album, Genere };

/**
 * The entries of the cards whose field begins with @p testo (trimmed, without regard to
 * case), in list order.
 */
Esito cercaSchede(
    const ArchivioSchede& archivio, CampoRicerca campo, const QString& testo, QStringList& voci);

/** The entries of every card that has an audio file, in list order. */
Esito elencoAudio(const ArchivioSchede& archivio, QStringList& voci);

/** The caption of the search window's criterion label for a search of @p testoDigitato. */
QString criterioRicerca(CampoRicerca campo, const QString& testoDigitato);

} // namespace melodora
