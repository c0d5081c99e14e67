#pragma once

#include "platform/FileCompleto.h"
#include "platform/Platform.h"

namespace melodora {

/**
 * The system's default printer through QPrinter. Where the system has no printer, every
 * document becomes a PDF file, named by the date and time it is started, in a folder of
 * its own; the device name then tells that folder.
 */
class QtPrinterService : public PrinterService {
public:
    /** PDF files, when there is no printer, go to @p cartellaPdf. */
    explicit QtPrinterService(QString cartellaPdf = cartellaPdfPredefinita());

    /**
     * A service whose every document is the PDF file @p file, printer or not; it replaces
     * only what @p file allows, and only once the PDF is whole.
     */
    static QtPrinterService versoFilePdf(Destinazione file);
    /** As above, into @p percorso, which must not exist yet. */
    static QtPrinterService versoFilePdf(const QString& percorso)
    {
        return versoFilePdf(Destinazione { percorso, false, {} });
    }

    /** "Melodora" in the user's documents folder. */
    static QString cartellaPdfPredefinita();

    QString nomeDispositivo() override;
    std::unique_ptr<PrintSurface> nuovoDocumento() override;

private:
    QString m_cartellaPdf;
    Destinazione m_filePdf; ///< set: always this file
};

} // namespace melodora
