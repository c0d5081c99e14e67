// The CSV import on arbitrary bytes.
#include "Bersagli.h"
#include "Comune.h"

#include "archive/Csv.h"

namespace melodora::fuzz {

bool prova_csv(const QByteArray& dati, QString& difetto)
{
    QList<Scheda> schede;
    QList<ProblemaValore> problemi;
    const Esito e = leggiCsv(dati, schede, &problemi);
    return importazioneCoerente(e, schede, problemi, difetto);
}

} // namespace melodora::fuzz
