#include "lists/Elenchi.h"

#include "archive/Archivio.h"

namespace melodora {

Esito cercaSchede(
    const ArchivioSchede& archivio, CampoRicerca campo, const QString& testo, QStringList& voci)
{
    Q_UNUSED(archivio);
    Q_UNUSED(campo);
    Q_UNUSED(testo);
    voci.clear();
    return Esito::fallito(QStringLiteral("ricerca non ancora disponibile"));
}

Esito elencoAudio(const ArchivioSchede& archivio, QStringList& voci)
{
    Q_UNUSED(archivio);
    voci.clear();
    return Esito::fallito(QStringLiteral("elenco non ancora disponibile"));
}

QString criterioRicerca(CampoRicerca campo, const QString& testoDigitato)
{
    Q_UNUSED(campo);
    return testoDigitato;
}

} // namespace melodora
