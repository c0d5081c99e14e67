#include "platform/StampanteQt.h"

#include "platform/PrintSurface.h"

namespace melodora {

QString QtPrinterService::nomeDispositivo() { return {}; }

std::unique_ptr<PrintSurface> QtPrinterService::nuovoDocumento() { return nullptr; }

} // namespace melodora
