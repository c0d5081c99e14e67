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
    if (!e) {
        if (e.errore.isEmpty() || !schede.isEmpty()) {
            difetto = QStringLiteral("rifiuto senza motivo o con schede lette");
            return false;
        }
        return true;
    }
    for (qsizetype i = 0; i < schede.size(); ++i) {
        if (schede.at(i).testo(Campo::Brano).isEmpty()) {
            difetto = QStringLiteral("scheda %1 accettata senza titolo").arg(i + 1);
            return false;
        }
        if (schede.at(i).inByte().size() != kLunghezzaScheda) {
            difetto = QStringLiteral("scheda %1 di lunghezza sbagliata").arg(i + 1);
            return false;
        }
    }
    for (const ProblemaValore& p : problemi) {
        if (p.scheda < 1 || p.scheda > schede.size() || descriviProblema(p).isEmpty()) {
            difetto = QStringLiteral("problema fuori dalle schede lette");
            return false;
        }
    }
    // What was accepted once is accepted again, unchanged, by either format.
    return giroJson(schede, difetto) && giroCsv(schede, difetto);
}

} // namespace melodora::fuzz
