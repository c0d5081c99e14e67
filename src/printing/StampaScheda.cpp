#include "printing/StampaScheda.h"

#include "archive/Scheda.h"
#include "platform/PrintSurface.h"
#include "printing/TestiStampa.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace melodora {

using namespace testi_stampa;

namespace {
    const QString kArial = QStringLiteral("Arial");
    const QString kCrLf = QStringLiteral("\r\n");
    // The rule, then CR LF: the line end that follows leaves an empty line under it.
    const QString kRegola = QString(69, QLatin1Char('_')) + kCrLf;
    // Ends every wrapped text as an invisible last word.
    const QString kFineTesto = QStringLiteral(" ") + QChar(0xA0);

    constexpr double kMargineSinistro = 600;
    constexpr double kMargineDestro = 900;
    constexpr int kColonnaValori = 36;

    /**
     * The longest beginning of @p parola, whole characters, that is at most @p larghezza
     * wide; one character at least, so that every line holds something.
     */
    qsizetype taglioParola(PrintSurface& s, const QString& parola, double larghezza)
    {
        QTextBoundaryFinder caratteri(QTextBoundaryFinder::Grapheme, parola);
        caratteri.toStart();
        qsizetype taglio = caratteri.toNextBoundary();
        for (qsizetype dopo = caratteri.toNextBoundary(); dopo > 0;
             dopo = caratteri.toNextBoundary()) {
            if (s.TextWidth(parola.left(dopo)) > larghezza)
                break;
            taglio = dopo;
        }
        return taglio;
    }

    /** @p riga cut into the lines StampaRigaACapo prints. */
    QStringList divisa(PrintSurface& s, const QString& riga, double larghezza, qsizetype finePause)
    {
        const qsizetype fine = finePause < 0 ? riga.size() : std::min(finePause, riga.size());
        const auto spazio = [&](qsizetype i) { return riga.at(i) == QLatin1Char(' '); };
        QStringList righe;
        qsizetype inizio = 0;
        while (inizio < riga.size()) {
            qsizetype ultimo = riga.size(); // the rest, without its trailing blanks
            while (ultimo > inizio && spazio(ultimo - 1))
                --ultimo;
            if (ultimo == inizio)
                break;
            // The longest run of whole words that fits: the rest, else the text up to one of
            // the blanks that may break it.
            qsizetype taglio = -1;
            if (s.TextWidth(riga.mid(inizio, ultimo - inizio)) <= larghezza) {
                taglio = ultimo;
            } else {
                for (qsizetype i = inizio + 1; i < fine; ++i) {
                    if (!spazio(i) || spazio(i - 1))
                        continue;
                    if (s.TextWidth(riga.mid(inizio, i - inizio)) > larghezza)
                        break;
                    taglio = i;
                }
            }
            if (taglio < 0) {
                // Not even the first word fits: it is broken inside.
                qsizetype finePrima = inizio;
                while (finePrima < ultimo && !spazio(finePrima))
                    ++finePrima;
                taglio = inizio + taglioParola(s, riga.mid(inizio, finePrima - inizio), larghezza);
            }
            righe.append(riga.mid(inizio, taglio - inizio));
            inizio = taglio;
            while (inizio < riga.size() && spazio(inizio))
                ++inizio;
        }
        return righe.isEmpty() ? QStringList { riga } : righe;
    }

    void apertura(PrintSurface& s, const QString& intestazione)
    {
        s.Orientation(1);
        StampaIntestazione(s, intestazione);
    }

    void informazioni(PrintSurface& s, const TestiScheda& t)
    {
        s.FontSize(10);
        s.FontItalic(false);
        const std::pair<const QString&, const QString&> coppie[] = {
            { EtichettaArtista, t.artista },
            { EtichettaAlbum, t.album },
            { EtichettaGenere, t.genere },
            { EtichettaAnno, t.anno },
        };
        for (const auto& [etichetta, valore] : coppie) {
            s.FontUnderline(true);
            s.PrintSenzaACapo(etichetta);
            s.FontUnderline(false);
            s.Tab(kColonnaValori);
            StampaRigaACapo(s, valore, kCrLf);
        }
        s.Print({});
        s.ScaleMode(0);
        s.ScaleLeft(0);
        s.FontSize(10);
        s.FontName(kArial);
        s.Print({});
        StampaACapo(s, Note + t.note + kFineTesto);
    }

    bool chiusura(PrintSurface& s, const QDateTime& adesso)
    {
        s.ScaleMode(1);
        s.ScaleLeft(-kMargineSinistro);
        s.Print({});
        s.FontName(kArial);
        s.FontSize(14);
        s.FontItalic(false);
        s.FontBold(false);
        s.FontUnderline(false);
        s.Print(kRegola);
        s.FontSize(10);
        s.Print(piedeDiPagina(adesso));
        s.Print({});
        const bool inviato = s.EndDoc();
        return inviato && !s.fallito();
    }
}

TestiScheda testiDaScheda(const Scheda& scheda)
{
    return { scheda.testo(Campo::Brano), scheda.testo(Campo::Artista), scheda.testo(Campo::Album),
        scheda.testo(Campo::Genere), scheda.testo(Campo::Anno), scheda.testo(Campo::Note),
        scheda.testo(Campo::Testo) };
}

bool titoloMancante(const TestiScheda& testi) { return togliSpazi(testi.brano).isEmpty(); }

QString piedeDiPagina(const QDateTime& adesso)
{
    return PiedeData + adesso.date().toString(QStringLiteral("dd/MM/yyyy")) + PiedeOra
        + adesso.time().toString(QStringLiteral("HH:mm:ss"));
}

void StampaIntestazione(PrintSurface& s, const QString& intestazione)
{
    s.ScaleMode(1);
    s.ScaleLeft(-kMargineSinistro);
    s.FontName(kArial);
    s.FontSize(14);
    s.FontItalic(true);
    s.FontBold(true);
    s.Print({});
    s.Print({});
    StampaRigaACapo(s, intestazione);
    s.FontSize(14);
    s.FontItalic(false);
    s.FontBold(false);
    s.FontUnderline(false);
    s.Print(kRegola);
}

bool StampaInformazioni(PrintSurface& stampante, const TestiScheda& testi, const QDateTime& adesso)
{
    apertura(stampante, testi.brano);
    informazioni(stampante, testi);
    return chiusura(stampante, adesso);
}

bool StampaCompleta(PrintSurface& stampante, const TestiScheda& testi, const QDateTime& adesso)
{
    apertura(stampante, testi.brano);
    informazioni(stampante, testi);
    stampante.Print({});
    stampante.Print({});
    stampante.Print({});
    StampaACapo(stampante, TestoCanzone + kCrLf + kCrLf + testi.testo + kFineTesto);
    return chiusura(stampante, adesso);
}

bool StampaTesto(PrintSurface& stampante, const TestiScheda& testi, const QDateTime& adesso)
{
    apertura(stampante, testi.artista.isEmpty() ? testi.brano : testi.brano + Di + testi.artista);
    stampante.ScaleMode(0);
    stampante.ScaleLeft(0);
    stampante.FontSize(10);
    stampante.FontName(kArial);
    stampante.FontItalic(false);
    stampante.FontBold(false);
    stampante.FontUnderline(false);
    stampante.Print({});
    StampaACapo(stampante, testi.testo + kFineTesto);
    return chiusura(stampante, adesso);
}

bool StampaScheda(PrintSurface& stampante, Impaginazione impaginazione, const TestiScheda& testi,
    const QDateTime& adesso)
{
    switch (impaginazione) {
    case Impaginazione::Completa:
        return StampaCompleta(stampante, testi, adesso);
    case Impaginazione::Informazioni:
        return StampaInformazioni(stampante, testi, adesso);
    case Impaginazione::Testo:
        return StampaTesto(stampante, testi, adesso);
    }
    return false;
}

QString ProssimaParola(QString& testo)
{
    testo = togliSpazi(testo);
    const qsizetype spazio = testo.indexOf(QLatin1Char(' '));
    if (spazio < 0) {
        QString parola = testo;
        testo.clear();
        return parola;
    }
    QString parola = testo.left(spazio);
    testo = togliSpazi(testo.mid(spazio + 1));
    return parola;
}

void StampaRigaACapo(
    PrintSurface& stampante, const QString& testo, const QString& aCapo, qsizetype finePause)
{
    const double inizio = stampante.CurrentX();
    // The fixed parts' origin lies at the left margin, 600 twips into the printable area.
    const double destro = stampante.ScaleWidth() - kMargineSinistro - kMargineDestro;
    const double larghezza = destro - inizio;
    // What fits (or has no room at all) prints as it always has: one output, one line end.
    if (larghezza <= 0 || stampante.TextWidth(testo) <= larghezza) {
        stampante.Print(testo + aCapo);
        return;
    }
    const QStringList righe = divisa(stampante, testo, larghezza, finePause);
    for (qsizetype i = 0; i < righe.size(); ++i) {
        if (i > 0)
            stampante.CurrentX(inizio);
        stampante.Print(i + 1 < righe.size() ? righe.at(i) : righe.at(i) + aCapo);
    }
}

void StampaACapo(PrintSurface& stampante, const QString& testo)
{
    const double sinistro = kMargineSinistro;
    const double destro = stampante.ScaleWidth() - kMargineDestro;
    const double larghezza = destro - sinistro;

    // One paragraph per line of the text; the list grows with the text, however long.
    QStringList paragrafi;
    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        qsizetype fine = testo.indexOf(QLatin1Char('\n'), inizio);
        if (fine < 0)
            fine = testo.size();
        QString paragrafo = testo.mid(inizio, fine - inizio);
        if (paragrafo.endsWith(QLatin1Char('\r')))
            paragrafo.chop(1);
        paragrafi.append(paragrafo);
        inizio = fine + 1;
    }

    stampante.CurrentX(sinistro);
    for (QString& paragrafo : paragrafi) {
        QString riga = ProssimaParola(paragrafo);
        for (;;) {
            const QString parola = ProssimaParola(paragrafo);
            if (parola.isEmpty()) {
                stampante.CurrentX(sinistro);
                stampante.Print(riga);
                break;
            }
            const QString prova = riga + QLatin1Char(' ') + parola;
            if (stampante.TextWidth(prova) <= larghezza) {
                riga = prova;
                continue;
            }
            stampante.CurrentX(sinistro);
            stampante.Print(riga);
            stampante.CurrentX(sinistro);
            riga = parola;
        }
    }
}

} // namespace melodora
