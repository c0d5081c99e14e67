#include "printing/StampaScheda.h"

#include "archive/Scheda.h"
#include "platform/PrintSurface.h"
#include "printing/TestiStampa.h"

#include <QStringList>

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

    void apertura(PrintSurface& s, const QString& intestazione)
    {
        s.Orientation(1);
        s.ScaleMode(1);
        s.ScaleLeft(-kMargineSinistro);
        s.FontName(kArial);
        s.FontSize(14);
        s.FontItalic(true);
        s.FontBold(true);
        s.Print({});
        s.Print({});
        s.Print(intestazione);
        s.FontSize(14);
        s.FontItalic(false);
        s.FontBold(false);
        s.FontUnderline(false);
        s.Print(kRegola);
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
            s.Print(valore + kCrLf);
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
