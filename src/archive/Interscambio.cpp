#include "archive/Interscambio.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

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

    /** The parser's complaint in Italian (Qt's own texts are English). */
    QString motivoJson(QJsonParseError::ParseError e)
    {
        switch (e) {
        case QJsonParseError::UnterminatedObject:
            return QStringLiteral("un oggetto non è chiuso da '}'");
        case QJsonParseError::MissingNameSeparator:
            return QStringLiteral("manca ':' dopo il nome di una chiave");
        case QJsonParseError::UnterminatedArray:
            return QStringLiteral("un elenco non è chiuso da ']'");
        case QJsonParseError::MissingValueSeparator:
            return QStringLiteral("manca ',' tra due valori");
        case QJsonParseError::IllegalValue:
            return QStringLiteral("valore non valido");
        case QJsonParseError::TerminationByNumber:
            return QStringLiteral("il file finisce dentro un numero");
        case QJsonParseError::IllegalNumber:
            return QStringLiteral("numero non valido");
        case QJsonParseError::IllegalEscapeSequence:
            return QStringLiteral("sequenza di escape non valida dopo '\\'");
        case QJsonParseError::IllegalUTF8String:
            return QStringLiteral("testo non in UTF-8 valido");
        case QJsonParseError::UnterminatedString:
            return QStringLiteral("un testo non è chiuso dalle virgolette");
        case QJsonParseError::MissingObject:
            return QStringLiteral("manca un oggetto o un elenco");
        case QJsonParseError::DeepNesting:
            return QStringLiteral("troppi livelli annidati");
        case QJsonParseError::DocumentTooLarge:
            return QStringLiteral("documento troppo grande");
        case QJsonParseError::GarbageAtEnd:
            return QStringLiteral("altri caratteri dopo la fine del documento");
        case QJsonParseError::NoError:
            break;
        }
        return QStringLiteral("errore di sintassi");
    }

    /**
     * What the parser lets pass without a word: a key repeated in one object (it keeps the
     * last value) and a lone UTF-16 surrogate escape (it makes U+FFFD of it). Found by a
     * scan of a text the parser has already accepted, so the grammar needs no checking.
     */
    struct AnomaliaJson {
        enum class Tipo { Nessuna, ChiaveRipetuta, SurrogatoIsolato } tipo = Tipo::Nessuna;
        qsizetype elemento = -1; ///< which element of the outer array, from 0; -1 outside one
        QString chiave; ///< the key repeated, or the key whose value holds the surrogate
        QString codice; ///< the surrogate as written, "\ud800"
    };

    /** The string starting at the quote json[i]; i is left after its closing quote. */
    QString leggiStringaJson(const QByteArray& json, qsizetype& i, QString* surrogato)
    {
        const qsizetype inizio = ++i;
        while (i < json.size() && json[i] != '"')
            i += json[i] == '\\' ? 2 : 1;
        const QByteArray grezza = json.mid(inizio, i - inizio);
        ++i;
        if (!grezza.contains('\\'))
            return QString::fromUtf8(grezza);
        QString s;
        for (qsizetype k = 0; k < grezza.size(); ++k) {
            if (grezza[k] != '\\') {
                // Copy up to the next escape in one go (UTF-8 sequences stay whole).
                qsizetype fine = grezza.indexOf('\\', k);
                if (fine < 0)
                    fine = grezza.size();
                s += QString::fromUtf8(grezza.mid(k, fine - k));
                k = fine - 1;
                continue;
            }
            const char e = grezza[++k];
            switch (e) {
            case 'b':
                s += u'\b';
                break;
            case 'f':
                s += u'\f';
                break;
            case 'n':
                s += u'\n';
                break;
            case 'r':
                s += u'\r';
                break;
            case 't':
                s += u'\t';
                break;
            case 'u': {
                // The parser has accepted the text: four hex digits follow every \\u.
                const auto codice
                    = [&](qsizetype p) { return char16_t(grezza.mid(p, 4).toUInt(nullptr, 16)); };
                const char16_t u = codice(k + 1);
                const bool coppia = QChar::isHighSurrogate(u) && k + 10 < grezza.size()
                    && grezza[k + 5] == '\\' && grezza[k + 6] == 'u'
                    && QChar::isLowSurrogate(codice(k + 7));
                s += QChar(u);
                if (coppia) {
                    s += QChar(codice(k + 7));
                    k += 10;
                    break;
                }
                if (QChar::isSurrogate(u) && surrogato && surrogato->isEmpty())
                    *surrogato = QString::fromLatin1(grezza.mid(k - 1, 6));
                k += 4;
                break;
            }
            default: // '"', '\\', '/'
                s += QLatin1Char(e);
            }
        }
        return s;
    }

    AnomaliaJson cercaAnomalie(const QByteArray& json)
    {
        struct Livello {
            bool oggetto = false;
            bool attesaChiave = false;
            QString chiave; ///< the key of the value being read
            QSet<QString> chiavi;
        };
        QList<Livello> pila;
        AnomaliaJson a;
        const auto nuovoValore = [&] {
            // Each value at the outer array's level is the next card.
            if (pila.size() == 1 && !pila.first().oggetto)
                ++a.elemento;
        };
        for (qsizetype i = 0; i < json.size();) {
            const char c = json[i];
            switch (c) {
            case '{':
            case '[':
                nuovoValore();
                pila.append({ c == '{', c == '{', {}, {} });
                ++i;
                break;
            case '}':
            case ']':
                if (!pila.isEmpty())
                    pila.removeLast();
                ++i;
                break;
            case ',':
                if (!pila.isEmpty() && pila.last().oggetto)
                    pila.last().attesaChiave = true;
                ++i;
                break;
            case ':':
                if (!pila.isEmpty())
                    pila.last().attesaChiave = false;
                ++i;
                break;
            case '"': {
                const bool chiave
                    = !pila.isEmpty() && pila.last().oggetto && pila.last().attesaChiave;
                if (!chiave)
                    nuovoValore();
                QString surrogato;
                const QString testo = leggiStringaJson(json, i, &surrogato);
                if (chiave) {
                    Livello& l = pila.last();
                    l.chiave = testo;
                    if (l.chiavi.contains(testo)) {
                        a.tipo = AnomaliaJson::Tipo::ChiaveRipetuta;
                        a.chiave = testo;
                        return a;
                    }
                    l.chiavi.insert(testo);
                }
                if (!surrogato.isEmpty()) {
                    a.tipo = AnomaliaJson::Tipo::SurrogatoIsolato;
                    a.chiave = pila.isEmpty() ? QString() : pila.last().chiave;
                    a.codice = surrogato;
                    return a;
                }
                break;
            }
            case ' ':
            case '\t':
            case '\n':
            case '\r':
                ++i;
                break;
            default: // a number, true, false or null
                nuovoValore();
                while (i < json.size() && !QByteArrayView(",]} \t\n\r").contains(json[i]))
                    ++i;
            }
        }
        return a;
    }

    /**
     * Parses @p json; refuses a repeated key or a lone surrogate, naming the card by
     * @p quale (given the element's index, -1 for a lone object).
     */
    template <typename Nome>
    Esito documentoJson(const QByteArray& json, QJsonDocument& doc, Nome quale)
    {
        QJsonParseError errore {};
        const QByteArray bom = "\xEF\xBB\xBF";
        const QByteArray testo = json.startsWith(bom) ? json.mid(bom.size()) : json;
        doc = QJsonDocument::fromJson(testo, &errore);
        if (errore.error != QJsonParseError::NoError)
            return Esito::fallito(QStringLiteral("file JSON non valido (al byte %1): %2")
                                      .arg(errore.offset)
                                      .arg(motivoJson(errore.error)));
        const AnomaliaJson a = cercaAnomalie(testo);
        switch (a.tipo) {
        case AnomaliaJson::Tipo::ChiaveRipetuta:
            return Esito::fallito(quale(a.elemento)
                + QStringLiteral(": la chiave \"%1\" compare due volte").arg(a.chiave));
        case AnomaliaJson::Tipo::SurrogatoIsolato:
            return Esito::fallito(quale(a.elemento)
                + QStringLiteral(": il valore di \"%1\" contiene un surrogato UTF-16 isolato "
                                 "(%2), che non è un carattere")
                      .arg(a.chiave, a.codice));
        case AnomaliaJson::Tipo::Nessuna:
            break;
        }
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
    const auto elemento = [](qsizetype i) {
        return i < 0 ? QStringLiteral("l'oggetto JSON")
                     : QStringLiteral("scheda %1 dell'elenco").arg(i + 1);
    };
    if (Esito e = documentoJson(json, doc, elemento); !e)
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
    if (Esito e
        = documentoJson(json, doc, [n](qsizetype) { return QStringLiteral("scheda %1").arg(n); });
        !e)
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
