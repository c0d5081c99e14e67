// The JSON import on arbitrary bytes.
#include "Bersagli.h"
#include "Comune.h"

#include "archive/Interscambio.h"

namespace melodora::fuzz {

bool prova_json(const QByteArray& dati, QString& difetto)
{
    QList<Scheda> schede;
    QList<ProblemaValore> problemi;
    const Esito e = leggiJson(dati, schede, &problemi);
    return importazioneCoerente(e, schede, problemi, difetto);
}

} // namespace melodora::fuzz
