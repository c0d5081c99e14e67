#pragma once

#include "cli/Comandi.h"
#include "cli/ElencoRichiesto.h"
#include "platform/FileCompleto.h"

#include <memory>

namespace melodora {
class ArchivioSchede;
class PrinterService;
class PrintSurface;
}

// What the printing commands share: where a printout goes and how its end is told.
namespace melodora::cli {

extern const QString kOpzionePdf; ///< --pdf FILE
extern const QString kOpzioneSostituisci; ///< --overwrite

/**
 * Fonts and pages need the GUI side of Qt, even without a display, and the printer its
 * module: false, with the reason on standard error, without them.
 */
bool graficaDisponibile(Contesto& c);

/**
 * --pdf FILE: a new file, or with --overwrite an existing regular one; never a symbolic
 * link, never the archive, whatever name reaches it.
 */
Destinazione destinazionePdf(const Contesto& c);

/** False, with the reason on standard error, when --pdf names a file we may not write. */
bool pdfAmmesso(Contesto& c);

/**
 * --pdf FILE writes that file; otherwise the default printer, as the windows print. Only
 * once graficaDisponibile() said yes.
 */
std::unique_ptr<PrinterService> stampante(const Contesto& c);

/** Every document into the new file @p percorso; only once graficaDisponibile() said yes. */
std::unique_ptr<PrinterService> stampantePdf(const Contesto& c, const QString& percorso);

/**
 * The checks a list printout makes before it reads anything: its options, the list its
 * words name (every card only when @p tutteAmmesse), a blank search, the --pdf destination.
 * The archive opened for reading, or null with the exit status in @p uscita.
 */
std::unique_ptr<ArchivioSchede> apriElencoDaStampare(Contesto& c, ElencoRichiesto& elenco,
    bool tutteAmmesse, bool pdfObbligatorio, const QString& uso, int& uscita);

/** "Stampato su ..." and 0, or the printout's error and 1. */
int riferisci(Contesto& c, const PrintSurface& documento, bool riuscito);

} // namespace melodora::cli
