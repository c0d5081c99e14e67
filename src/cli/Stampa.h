#pragma once

#include "cli/Comandi.h"
#include "platform/FileCompleto.h"
#include "platform/StampanteQt.h"

namespace melodora {
class PrintSurface;
}

// What the printing commands share: where a printout goes and how its end is told.
namespace melodora::cli {

extern const QString kOpzionePdf; ///< --pdf FILE
extern const QString kOpzioneSostituisci; ///< --overwrite

/** Fonts and pages need the GUI side of Qt, even without a display. */
bool graficaDisponibile(Contesto& c);

/**
 * --pdf FILE: a new file, or with --overwrite an existing regular one; never a symbolic
 * link, never the archive, whatever name reaches it.
 */
Destinazione destinazionePdf(const Contesto& c);

/** False, with the reason on standard error, when --pdf names a file we may not write. */
bool pdfAmmesso(Contesto& c);

/** --pdf FILE writes that file; otherwise the default printer, as the windows print. */
QtPrinterService stampante(const Contesto& c);

/** "Stampato su ..." and 0, or the printout's error and 1. */
int riferisci(Contesto& c, const PrintSurface& documento, bool riuscito);

} // namespace melodora::cli
