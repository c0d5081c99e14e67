#include "archive/Interscambio.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace melodora {

namespace {
    void appendiStringaJson(QByteArray& out, const QString& s)
    {
        out.append('"');
        for (QChar c : s) {
            const char16_t u = c.unicode();
            switch (u) {
            case '"':
                out.append("\\\"");
                break;
            case '\\':
                out.append("\\\\");
                break;
            case '\r':
                out.append("\\r");
                break;
            case '\n':
                out.append("\\n");
                break;
            case '\t':
                out.append("\\t");
                break;
            default:
                if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
                    out.append(QStringLiteral("\\u%1")
                                   .arg(unsigned(u), 4, 16, QLatin1Char('0'))
                                   .toLatin1());
                } else {
                    out.append(QString(c).toUtf8());
                }
            }
        }
        out.append('"');
    }

    /**
     * Fills @p testi from one card object (n ignored), the line breaks made CR LF; marks
     * in @p date the fields it names. Refuses an unknown key and a value that is not text.
     */
    Esito leggiOggetto(const QJsonObject& o, const QString& quale,
        std::array<QString, kNumeroCampi>& testi, std::array<bool, kNumeroCampi>* date)
    {
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.key() == QLatin1String("n"))
                continue;
            int campo = -1;
            for (int k = 0; k < kNumeroCampi; ++k) {
                if (it.key() == QLatin1String(kCampi[k].nome))
                    campo = k;
            }
            if (campo < 0)
                return Esito::fallito(
                    quale + QStringLiteral(": chiave sconosciuta \"%1\"").arg(it.key()));
            if (!it.value().isString())
                return Esito::fallito(
                    quale + QStringLiteral(": il valore di \"%1\" non è un testo").arg(it.key()));
            testi[campo] = normalizzaACapo(it.value().toString());
            if (date)
                (*date)[campo] = true;
        }
        return {};
    }

    Esito documentoJson(const QByteArray& json, QJsonDocument& doc)
    {
        QJsonParseError errore {};
        const QByteArray bom = "\xEF\xBB\xBF";
        doc = QJsonDocument::fromJson(json.startsWith(bom) ? json.mid(bom.size()) : json, &errore);
        if (errore.error != QJsonParseError::NoError)
            return Esito::fallito(QStringLiteral("file JSON non valido (carattere %1): %2")
                                      .arg(errore.offset)
                                      .arg(errore.errorString()));
        return {};
    }
}

QString normalizzaACapo(const QString& testo)
{
    QString out;
    out.reserve(testo.size() + 16);
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c == QLatin1Char('\r')) {
            out.append(QStringLiteral("\r\n"));
            if (i + 1 < testo.size() && testo.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out.append(QStringLiteral("\r\n"));
        } else {
            out.append(c);
        }
    }
    return out;
}

void controllaValori(const std::array<QString, kNumeroCampi>& testi, qint64 scheda, qint64 riga,
    QList<ProblemaValore>& problemi)
{
    for (int k = 0; k < kNumeroCampi; ++k) {
        const QString valore = togliSpazi(testi[k]);
        ProblemaValore p;
        p.scheda = scheda;
        p.riga = riga;
        p.campo = static_cast<Campo>(k);
        // One character is one byte on disk, so the length is the stored length.
        if (valore.size() > kCampi[k].lunghezza) {
            p.tipo = ProblemaValore::Tipo::TroppoLungo;
            p.lunghezza = valore.size();
            problemi.append(p);
        }
        for (qsizetype i = 0; i < valore.size(); ++i) {
            unsigned char byte = 0;
            if (cp1252::codifica(valore.at(i), byte))
                continue;
            const bool coppia = valore.at(i).isHighSurrogate() && i + 1 < valore.size()
                && valore.at(i + 1).isLowSurrogate();
            p.tipo = ProblemaValore::Tipo::NonRappresentabile;
            p.carattere = valore.mid(i, coppia ? 2 : 1);
            problemi.append(p);
            break;
        }
    }
}

QString descriviProblema(const ProblemaValore& p)
{
    QString dove = QStringLiteral("scheda %1").arg(p.scheda);
    if (p.riga > 0)
        dove += QStringLiteral(" (riga %1)").arg(p.riga);
    dove += QStringLiteral(", campo %1: ").arg(QLatin1String(info(p.campo).nome));
    if (p.tipo == ProblemaValore::Tipo::TroppoLungo)
        return dove
            + QStringLiteral("%1 caratteri, ma il campo ne contiene al massimo %2")
                  .arg(p.lunghezza)
                  .arg(info(p.campo).lunghezza);
    const QList<uint> codici = p.carattere.toUcs4();
    const QString codice = QStringLiteral("U+%1")
                               .arg(codici.isEmpty() ? 0u : codici.first(), 4, 16, QLatin1Char('0'))
                               .toUpper();
    // Control characters and lone surrogates are shown by their code alone.
    const bool visibile = !p.carattere.isEmpty()
        && (p.carattere.size() == 2
            || (!p.carattere.at(0).isSurrogate() && p.carattere.at(0).isPrint()));
    const QString quale = visibile
        ? QStringLiteral("il carattere \"%1\" (%2)").arg(p.carattere, codice)
        : QStringLiteral("il carattere %1").arg(codice);
    return dove + quale + QStringLiteral(" non si può archiviare in Windows-1252");
}

QByteArray schedaInJson(qint64 n, const Scheda& scheda)
{
    QByteArray out = "{\"n\": " + QByteArray::number(n);
    for (int i = 0; i < kNumeroCampi; ++i) {
        out.append(", \"");
        out.append(kCampi[i].nome);
        out.append("\": ");
        appendiStringaJson(out, scheda.testo(static_cast<Campo>(i)));
    }
    out.append('}');
    return out;
}

Esito esportaJson(const ArchivioSchede& archivio, QByteArray& json)
{
    json = "[";
    bool primo = true;
    Esito esito = archivio.perOgniScheda([&](qint64 n, const char* record) {
        json.append(primo ? "\n  " : ",\n  ");
        primo = false;
        json.append(schedaInJson(n, Scheda::daByte(record)));
        return true;
    });
    json.append(primo ? "]\n" : "\n]\n");
    return esito;
}

Esito leggiJson(const QByteArray& json, QList<Scheda>& schede, QList<ProblemaValore>* problemi)
{
    QJsonDocument doc;
    if (Esito e = documentoJson(json, doc); !e)
        return e;
    if (!doc.isArray())
        return Esito::fallito(QStringLiteral("il file JSON deve contenere un elenco di schede"));
    const QJsonArray elenco = doc.array();
    QList<Scheda> lette;
    QList<ProblemaValore> trovati;
    for (qsizetype i = 0; i < elenco.size(); ++i) {
        const QString quale = QStringLiteral("scheda %1 dell'elenco").arg(i + 1);
        if (!elenco.at(i).isObject())
            return Esito::fallito(quale + QStringLiteral(": non è un oggetto JSON"));
        std::array<QString, kNumeroCampi> testi;
        if (Esito e = leggiOggetto(elenco.at(i).toObject(), quale, testi, nullptr); !e)
            return e;
        if (togliSpazi(testi[static_cast<int>(Campo::Brano)]).isEmpty())
            return Esito::fallito(quale + QStringLiteral(": manca il titolo del brano (Brano)"));
        controllaValori(testi, i + 1, 0, trovati);
        lette.append(Scheda::daTesti(testi));
    }
    schede = std::move(lette);
    if (problemi)
        *problemi = std::move(trovati);
    return {};
}

Esito aggiornaDaJson(
    const QByteArray& json, qint64 n, Scheda& scheda, QList<ProblemaValore>* problemi)
{
    QJsonDocument doc;
    if (Esito e = documentoJson(json, doc); !e)
        return e;
    if (!doc.isObject())
        return Esito::fallito(QStringLiteral("il file JSON deve contenere una sola scheda (un "
                                             "oggetto JSON)"));
    const QString quale = QStringLiteral("scheda %1").arg(n);
    std::array<QString, kNumeroCampi> testi;
    std::array<bool, kNumeroCampi> date {};
    if (Esito e = leggiOggetto(doc.object(), quale, testi, &date); !e)
        return e;
    Scheda nuova = scheda;
    for (int k = 0; k < kNumeroCampi; ++k) {
        if (date[k])
            nuova.imposta(static_cast<Campo>(k), testi[k]);
    }
    if (nuova.testo(Campo::Brano).isEmpty())
        return Esito::fallito(quale + QStringLiteral(": manca il titolo del brano (Brano)"));
    QList<ProblemaValore> trovati;
    controllaValori(testi, n, 0, trovati);
    scheda = nuova;
    if (problemi)
        *problemi = std::move(trovati);
    return {};
}

} // namespace melodora
