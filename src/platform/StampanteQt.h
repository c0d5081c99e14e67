#pragma once

#include "platform/Platform.h"

namespace melodora {

/** The default printer through QPrinter, or a PDF file when the system has none. */
class QtPrinterService : public PrinterService {
public:
    QString nomeDispositivo() override;
    std::unique_ptr<PrintSurface> nuovoDocumento() override;
};

} // namespace melodora
