#include "archive/Interscambio.h"

#include "archive/Archivio.h"

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

Esito leggiJson(const QByteArray& json, QList<Scheda>& schede)
{
    QJsonParseError errore {};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &errore);
    if (errore.error != QJsonParseError::NoError)
        return Esito::fallito(QStringLiteral("file JSON non valido (carattere %1): %2")
                                  .arg(errore.offset)
                                  .arg(errore.errorString()));
    if (!doc.isArray())
        return Esito::fallito(QStringLiteral("il file JSON deve contenere un elenco di schede"));
    const QJsonArray elenco = doc.array();
    QList<Scheda> lette;
    for (qsizetype i = 0; i < elenco.size(); ++i) {
        const QString quale = QStringLiteral("scheda %1 dell'elenco").arg(i + 1);
        if (!elenco.at(i).isObject())
            return Esito::fallito(quale + QStringLiteral(": non è un oggetto JSON"));
        const QJsonObject o = elenco.at(i).toObject();
        std::array<QString, kNumeroCampi> testi;
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
        }
        if (togliSpazi(testi[static_cast<int>(Campo::Brano)]).isEmpty())
            return Esito::fallito(quale + QStringLiteral(": manca il titolo del brano (Brano)"));
        lette.append(Scheda::daTesti(testi));
    }
    schede = std::move(lette);
    return {};
}

} // namespace melodora
