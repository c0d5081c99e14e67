#include "Comune.h"

#include "archive/Csv.h"
#include "archive/Interscambio.h"

namespace melodora::fuzz {

namespace {
    bool confronta(const QList<Scheda>& attese, const QList<Scheda>& lette, const char* formato,
        QString& difetto)
    {
        if (lette.size() != attese.size()) {
            difetto = QStringLiteral("%1: %2 schede rilette invece di %3")
                          .arg(QLatin1String(formato))
                          .arg(lette.size())
                          .arg(attese.size());
            return false;
        }
        for (qsizetype i = 0; i < attese.size(); ++i) {
            if (lette.at(i).inByte() != attese.at(i).inByte()) {
                difetto = QStringLiteral("%1: la scheda %2 riletta ha altri byte")
                              .arg(QLatin1String(formato))
                              .arg(i + 1);
                return false;
            }
        }
        return true;
    }

    /** The cards as the archive gives them back once written: '?' for what it cannot hold. */
    QList<Scheda> comeSuDisco(const QList<Scheda>& schede)
    {
        QList<Scheda> out;
        for (const Scheda& s : schede)
            out.append(Scheda::daByte(s.inByte().constData()));
        return out;
    }
}

QByteArray byteDi(const QList<Scheda>& schede)
{
    QByteArray out;
    for (const Scheda& s : schede)
        out.append(s.inByte());
    return out;
}

bool giroJson(const QList<Scheda>& scritte, QString& difetto)
{
    const QList<Scheda> schede = comeSuDisco(scritte);
    QByteArray json = "[";
    for (qsizetype i = 0; i < schede.size(); ++i) {
        json.append(i == 0 ? "\n" : ",\n");
        json.append(schedaInJson(i + 1, schede.at(i)));
    }
    json.append("]\n");
    QList<Scheda> lette;
    if (Esito e = leggiJson(json, lette); !e) {
        difetto = QStringLiteral("JSON esportato e non riletto: ") + e.errore;
        return false;
    }
    return confronta(schede, lette, "JSON", difetto);
}

bool giroCsv(const QList<Scheda>& scritte, QString& difetto)
{
    const QList<Scheda> schede = comeSuDisco(scritte);
    QByteArray csv = intestazioneCsv();
    for (qsizetype i = 0; i < schede.size(); ++i)
        csv.append(schedaInCsv(i + 1, schede.at(i)));
    QList<Scheda> lette;
    if (Esito e = leggiCsv(csv, lette); !e) {
        difetto = QStringLiteral("CSV esportato e non riletto: ") + e.errore;
        return false;
    }
    return confronta(schede, lette, "CSV", difetto);
}

bool importazioneCoerente(const Esito& esito, const QList<Scheda>& schede,
    const QList<ProblemaValore>& problemi, QString& difetto)
{
    if (!esito) {
        if (esito.errore.isEmpty() || !schede.isEmpty()) {
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
