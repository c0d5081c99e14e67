#include "archive/Csv.h"

#include "archive/Archivio.h"

#include <optional>

namespace melodora {

namespace {
    const QByteArray kBom = "\xEF\xBB\xBF";

    bool daVirgolettare(const QString& valore)
    {
        for (QChar c : valore) {
            switch (c.unicode()) {
            case ',':
            case ';':
            case '"':
            case '\t':
            case '\r':
            case '\n':
                return true;
            default:
                break;
            }
        }
        return false;
    }

    void appendiValore(QByteArray& out, const QString& valore)
    {
        if (!daVirgolettare(valore)) {
            out.append(valore.toUtf8());
            return;
        }
        QString v = valore;
        v.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        out.append('"');
        out.append(v.toUtf8());
        out.append('"');
    }

    /**
     * Offset of the first byte that breaks UTF-8 (overlong forms, surrogates and values
     * past U+10FFFF included), or -1 when the whole text is valid.
     */
    qsizetype primoErroreUtf8(const QByteArray& dati)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(dati.constData());
        const qsizetype n = dati.size();
        qsizetype i = 0;
        while (i < n) {
            const unsigned char b = p[i];
            if (b < 0x80) {
                ++i;
                continue;
            }
            int seguenti = 0;
            unsigned minimo = 0;
            unsigned codice = 0;
            if (b >= 0xC2 && b <= 0xDF) {
                seguenti = 1;
                codice = b & 0x1Fu;
                minimo = 0x80;
            } else if (b >= 0xE0 && b <= 0xEF) {
                seguenti = 2;
                codice = b & 0x0Fu;
                minimo = 0x800;
            } else if (b >= 0xF0 && b <= 0xF4) {
                seguenti = 3;
                codice = b & 0x07u;
                minimo = 0x10000;
            } else {
                return i;
            }
            if (i + seguenti >= n)
                return i;
            for (int k = 1; k <= seguenti; ++k) {
                if ((p[i + k] & 0xC0u) != 0x80u)
                    return i;
                codice = (codice << 6) | (p[i + k] & 0x3Fu);
            }
            if (codice < minimo || codice > 0x10FFFF || (codice >= 0xD800 && codice <= 0xDFFF))
                return i;
            i += seguenti + 1;
        }
        return -1;
    }

    /** Line of the file (from 1) that holds byte @p offset; CR LF, LF and CR each end one. */
    qint64 rigaDiOffset(const QByteArray& dati, qsizetype offset)
    {
        qint64 riga = 1;
        for (qsizetype i = 0; i < offset && i < dati.size(); ++i) {
            if (dati.at(i) == '\n')
                ++riga;
            else if (dati.at(i) == '\r' && (i + 1 >= dati.size() || dati.at(i + 1) != '\n'))
                ++riga;
        }
        return riga;
    }

    /** The header's separator: a semicolon when it has more of them than commas. */
    QChar separatoreDiIntestazione(const QString& testo)
    {
        int virgole = 0;
        int puntiEVirgola = 0;
        bool traVirgolette = false;
        for (QChar c : testo) {
            if (c == QLatin1Char('"'))
                traVirgolette = !traVirgolette;
            else if (!traVirgolette && (c == QLatin1Char('\r') || c == QLatin1Char('\n')))
                break;
            else if (!traVirgolette && c == QLatin1Char(','))
                ++virgole;
            else if (!traVirgolette && c == QLatin1Char(';'))
                ++puntiEVirgola;
        }
        return puntiEVirgola > virgole ? QLatin1Char(';') : QLatin1Char(',');
    }

    struct Record {
        QList<QString> campi;
        qint64 riga = 0; ///< line where the record starts
    };

    /** Splits the text into records by RFC 4180, accepting LF and lone CR as line breaks too. */
    class LettoreCsv {
    public:
        LettoreCsv(const QString& testo, QChar separatore)
            : m_testo(testo)
            , m_sep(separatore)
        {
        }

        /** The next record, or nothing at the end of the text or on error (see errore()). */
        std::optional<Record> prossimo()
        {
            if (m_pos >= m_testo.size() || !m_errore.ok)
                return std::nullopt;
            Record r;
            r.riga = m_riga;
            for (;;) {
                QString campo;
                if (!leggiCampo(campo))
                    return std::nullopt;
                r.campi.append(campo);
                if (m_pos >= m_testo.size())
                    return r;
                const QChar c = m_testo.at(m_pos);
                if (c == m_sep) {
                    ++m_pos;
                    continue;
                }
                // leggiCampo stops only at a separator, a line break or the end.
                saltaACapo();
                return r;
            }
        }

        const Esito& errore() const { return m_errore; }

    private:
        bool aCapo(QChar c) const { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

        void saltaACapo()
        {
            if (m_testo.at(m_pos) == QLatin1Char('\r') && m_pos + 1 < m_testo.size()
                && m_testo.at(m_pos + 1) == QLatin1Char('\n'))
                ++m_pos;
            ++m_pos;
            ++m_riga;
        }

        bool fallisci(qint64 riga, const QString& motivo)
        {
            m_errore = Esito::fallito(QStringLiteral("riga %1: %2").arg(riga).arg(motivo));
            return false;
        }

        bool leggiCampo(QString& campo)
        {
            const qsizetype n = m_testo.size();
            if (m_pos < n && m_testo.at(m_pos) == QLatin1Char('"'))
                return leggiCampoTraVirgolette(campo);
            const qsizetype inizio = m_pos;
            while (m_pos < n) {
                const QChar c = m_testo.at(m_pos);
                if (c == m_sep || aCapo(c))
                    break;
                if (c == QLatin1Char('"'))
                    return fallisci(m_riga,
                        QStringLiteral("virgolette dentro un campo che non inizia con le "
                                       "virgolette"));
                ++m_pos;
            }
            campo = m_testo.mid(inizio, m_pos - inizio);
            return true;
        }

        bool leggiCampoTraVirgolette(QString& campo)
        {
            const qsizetype n = m_testo.size();
            const qint64 rigaInizio = m_riga;
            ++m_pos; // the opening quote
            for (;;) {
                if (m_pos >= n)
                    return fallisci(rigaInizio,
                        QStringLiteral("le virgolette aperte qui non vengono mai chiuse"));
                const QChar c = m_testo.at(m_pos);
                if (c == QLatin1Char('"')) {
                    if (m_pos + 1 < n && m_testo.at(m_pos + 1) == QLatin1Char('"')) {
                        campo.append(QLatin1Char('"'));
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    break;
                }
                if (c == QLatin1Char('\r')) {
                    const bool crlf = m_pos + 1 < n && m_testo.at(m_pos + 1) == QLatin1Char('\n');
                    campo.append(crlf ? QStringLiteral("\r\n") : QStringLiteral("\r"));
                    m_pos += crlf ? 2 : 1;
                    ++m_riga;
                    continue;
                }
                if (c == QLatin1Char('\n'))
                    ++m_riga;
                campo.append(c);
                ++m_pos;
            }
            if (m_pos < n && m_testo.at(m_pos) != m_sep && !aCapo(m_testo.at(m_pos)))
                return fallisci(m_riga,
                    QStringLiteral("dopo le virgolette di chiusura di un campo deve venire il "
                                   "separatore \"%1\" o la fine della riga")
                        .arg(m_sep));
            return true;
        }

        const QString& m_testo;
        const QChar m_sep;
        qsizetype m_pos = 0;
        qint64 m_riga = 1;
        Esito m_errore;
    };

    bool vuoto(const Record& r)
    {
        for (const QString& c : r.campi) {
            if (!togliSpazi(c).isEmpty())
                return false;
        }
        return true;
    }

    QString elencoColonne()
    {
        QString s = QStringLiteral("n");
        for (const InfoCampo& c : kCampi)
            s += QStringLiteral(", ") + QLatin1String(c.nome);
        return s;
    }
}

QByteArray intestazioneCsv()
{
    QByteArray out = "n";
    for (const InfoCampo& c : kCampi) {
        out.append(',');
        out.append(c.nome);
    }
    out.append("\r\n");
    return out;
}

QByteArray schedaInCsv(qint64 n, const Scheda& scheda)
{
    QByteArray out = QByteArray::number(n);
    for (int i = 0; i < kNumeroCampi; ++i) {
        out.append(',');
        appendiValore(out, scheda.testo(static_cast<Campo>(i)));
    }
    out.append("\r\n");
    return out;
}

Esito esportaCsv(const ArchivioSchede& archivio, QByteArray& csv)
{
    csv = intestazioneCsv();
    return archivio.perOgniScheda([&](qint64 n, const char* record) {
        csv.append(schedaInCsv(n, Scheda::daByte(record)));
        return true;
    });
}

Esito leggiCsv(const QByteArray& csv, QList<Scheda>& schede, QList<ProblemaValore>* problemi)
{
    const QByteArray dati = csv.startsWith(kBom) ? csv.mid(kBom.size()) : csv;
    if (const qsizetype errato = primoErroreUtf8(dati); errato >= 0)
        return Esito::fallito(
            QStringLiteral("riga %1: il file non è in UTF-8 (salvarlo come \"CSV UTF-8\")")
                .arg(rigaDiOffset(dati, errato)));
    const QString testo = QString::fromUtf8(dati);

    LettoreCsv lettore(testo, separatoreDiIntestazione(testo));
    std::optional<Record> intestazione;
    while ((intestazione = lettore.prossimo()) && vuoto(*intestazione)) { }
    if (!lettore.errore())
        return lettore.errore();
    if (!intestazione)
        return Esito::fallito(QStringLiteral("il file CSV è vuoto: manca la riga d'intestazione "
                                             "con i nomi delle colonne"));

    // colonne[i]: the field of column i, or -1 for the ignored number.
    QList<int> colonne;
    const qint64 rigaIntestazione = intestazione->riga;
    for (const QString& grezzo : intestazione->campi) {
        const QString nome = togliSpazi(grezzo);
        int campo = -2;
        if (nome.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0)
            campo = -1;
        for (int k = 0; k < kNumeroCampi; ++k) {
            if (nome.compare(QLatin1String(kCampi[k].nome), Qt::CaseInsensitive) == 0)
                campo = k;
        }
        if (campo == -2)
            return Esito::fallito(
                QStringLiteral("riga %1: colonna sconosciuta \"%2\" (le colonne ammesse sono %3)")
                    .arg(rigaIntestazione)
                    .arg(nome, elencoColonne()));
        if (colonne.contains(campo))
            return Esito::fallito(QStringLiteral("riga %1: la colonna \"%2\" compare due volte")
                                      .arg(rigaIntestazione)
                                      .arg(nome));
        colonne.append(campo);
    }
    if (!colonne.contains(static_cast<int>(Campo::Brano)))
        return Esito::fallito(QStringLiteral("riga %1: manca la colonna Brano, il titolo del brano")
                                  .arg(rigaIntestazione));

    QList<Scheda> lette;
    QList<ProblemaValore> trovati;
    while (std::optional<Record> r = lettore.prossimo()) {
        if (vuoto(*r))
            continue;
        if (r->campi.size() != colonne.size())
            return Esito::fallito(
                QStringLiteral("riga %1: %2 campi, ma l'intestazione ha %3 colonne")
                    .arg(r->riga)
                    .arg(r->campi.size())
                    .arg(colonne.size()));
        std::array<QString, kNumeroCampi> testi;
        for (qsizetype i = 0; i < colonne.size(); ++i) {
            if (colonne.at(i) >= 0)
                testi[colonne.at(i)] = normalizzaACapo(r->campi.at(i));
        }
        const qint64 numero = lette.size() + 1;
        if (togliSpazi(testi[static_cast<int>(Campo::Brano)]).isEmpty())
            return Esito::fallito(
                QStringLiteral("scheda %1 (riga %2): manca il titolo del brano (Brano)")
                    .arg(numero)
                    .arg(r->riga));
        controllaValori(testi, numero, r->riga, trovati);
        lette.append(Scheda::daTesti(testi));
    }
    if (!lettore.errore())
        return lettore.errore();
    schede = std::move(lette);
    if (problemi)
        *problemi = std::move(trovati);
    return {};
}

} // namespace melodora
