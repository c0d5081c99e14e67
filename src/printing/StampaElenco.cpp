#include "printing/StampaElenco.h"

namespace melodora {

void StampaElenco(Platform& platform, QWidget* parent, TipoElenco tipo, const QString& criterio,
    const QStringList& righe)
{
    Q_UNUSED(platform);
    Q_UNUSED(parent);
    Q_UNUSED(tipo);
    Q_UNUSED(criterio);
    Q_UNUSED(righe);
}

} // namespace melodora
