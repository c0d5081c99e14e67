#include "printing/Canzoniere.h"

#include "archive/Programma.h"

#include "platform/PrintSurface.h"

namespace melodora {

namespace {
    // The songbook's own texts.
    const QString kTitolo = QStringLiteral("Canzoniere");
    const QString kSottotitolo = QString::fromLatin1(kNomeProgramma);
    const QString kData = QStringLiteral("Stampato in data ");
    const QString kIndice = QStringLiteral("Indice");

    const QString kArial = QStringLiteral("Arial");
    constexpr double kMargineSinistro = 600;
    constexpr double kMargineDestro = 900;

    /**
     * The document seen by one song's card layout: everything goes through, but the layout's
     * EndDoc only closes the song, not the book.
     */
    class PaginaDelLibro final : public PrintSurface {
    public:
        explicit PaginaDelLibro(PrintSurface& libro)
            : m_libro(libro)
        {
        }
        void Orientation(int valore) override { m_libro.Orientation(valore); }
        void FontName(const QString& nome) override { m_libro.FontName(nome); }
        void FontSize(double punti) override { m_libro.FontSize(punti); }
        void FontBold(bool attivo) override { m_libro.FontBold(attivo); }
        void FontItalic(bool attivo) override { m_libro.FontItalic(attivo); }
        void FontUnderline(bool attivo) override { m_libro.FontUnderline(attivo); }
        void ScaleMode(int modo) override { m_libro.ScaleMode(modo); }
        void ScaleLeft(double twips) override { m_libro.ScaleLeft(twips); }
        double ScaleWidth() override { return m_libro.ScaleWidth(); }
        void CurrentX(double x) override { m_libro.CurrentX(x); }
        double CurrentX() const override { return m_libro.CurrentX(); }
        void Print(const QString& testo) override { m_libro.Print(testo); }
        void PrintSenzaACapo(const QString& testo) override { m_libro.PrintSenzaACapo(testo); }
        void Tab(int colonna) override { m_libro.Tab(colonna); }
        double TextWidth(const QString& testo) override { return m_libro.TextWidth(testo); }
        void NewPage() override { m_libro.NewPage(); }
        int Page() const override { return m_libro.Page(); }
        void NumeriDiPagina(bool attivi) override { m_libro.NumeriDiPagina(attivi); }
        bool EndDoc() override { return !m_libro.fallito(); }
        QString DeviceName() const override { return m_libro.DeviceName(); }
        bool fallito() const override { return m_libro.fallito(); }
        QString descrizioneErrore() const override { return m_libro.descrizioneErrore(); }
        QString filePdf() const override { return m_libro.filePdf(); }

    private:
        PrintSurface& m_libro;
    };

    void frontespizio(PrintSurface& s, qsizetype brani, const QDateTime& adesso)
    {
        s.Orientation(1);
        s.ScaleMode(1);
        s.ScaleLeft(-kMargineSinistro);
        s.FontName(kArial);
        s.FontSize(14);
        for (int i = 0; i < 10; ++i)
            s.Print({});
        s.FontSize(28);
        s.FontBold(true);
        s.Print(kTitolo);
        s.FontSize(14);
        s.FontBold(false);
        s.Print(kSottotitolo);
        s.Print({});
        s.FontSize(12);
        s.Print(kData + adesso.date().toString(QStringLiteral("dd/MM/yyyy")));
        s.Print(brani == 1 ? QStringLiteral("1 brano") : QStringLiteral("%1 brani").arg(brani));
    }

    /** The title and artist, cut with an ellipsis where they would reach the page number. */
    QString voceIndice(PrintSurface& s, const TestiScheda& t, double larghezza)
    {
        QString voce = t.artista.isEmpty() ? t.brano : t.brano + QStringLiteral(" - ") + t.artista;
        if (s.TextWidth(voce) <= larghezza)
            return voce;
        const QString puntini = QString(QChar(0x2026));
        while (!voce.isEmpty() && s.TextWidth(voce + puntini) > larghezza)
            voce.chop(1);
        return voce.trimmed() + puntini;
    }

    void indice(PrintSurface& s, const QList<TestiScheda>& canzoni, const QList<int>& pagine)
    {
        StampaIntestazione(s, kIndice);
        s.Print({});
        s.FontSize(10);
        // Every entry keeps to one line, so the contents take the same pages whatever numbers
        // they show.
        const double destra = s.ScaleWidth() - kMargineSinistro - kMargineDestro;
        const double spazioNumero = s.TextWidth(QStringLiteral("  00000"));
        for (qsizetype i = 0; i < canzoni.size(); ++i) {
            const QString numero = QString::number(pagine.value(i, 0));
            s.CurrentX(0);
            s.PrintSenzaACapo(voceIndice(s, canzoni.at(i), destra - spazioNumero));
            s.CurrentX(destra - s.TextWidth(numero));
            s.Print(numero);
        }
    }
}

bool StampaCanzoniere(PrintSurface& stampante, const QList<TestiScheda>& canzoni,
    const QList<int>& pagine, const QDateTime& adesso, QList<int>& inizi)
{
    inizi.clear();
    frontespizio(stampante, canzoni.size(), adesso);
    stampante.NewPage();
    stampante.NumeriDiPagina(true);
    indice(stampante, canzoni, pagine);
    PaginaDelLibro pagina(stampante);
    for (const TestiScheda& t : canzoni) {
        stampante.NewPage();
        inizi.append(stampante.Page());
        StampaTesto(pagina, t, adesso);
        if (stampante.fallito())
            break;
    }
    return stampante.EndDoc() && !stampante.fallito();
}

} // namespace melodora
