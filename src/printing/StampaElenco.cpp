#include "printing/StampaElenco.h"

#include "platform/PrintSurface.h"
#include "printing/StampaScheda.h"
#include "printing/TestiStampa.h"

#include <QUrl>

#include <functional>
#include <vector>

namespace melodora {

using namespace testi_stampa;

bool StampaRigheElenco(PrintSurface& stampante, TipoElenco tipo, const QString& criterio,
    const QStringList& righe, const QDateTime& adesso)
{
    const QString regola(30, QLatin1Char('_'));
    const QString intestazione
        = tipo == TipoElenco::Ricerca ? PrefissoRicerca + criterio : IntestazioneAudio;
    const QString totale = (tipo == TipoElenco::Ricerca ? TotaleRicerca : TotaleAudio)
        + QString::number(righe.size());

    // Every step runs only while the printer has not failed: a failure abandons the list.
    std::vector<std::function<void(PrintSurface&)>> passi = {
        [](PrintSurface& s) { s.Orientation(1); },
        [](PrintSurface& s) { s.FontName(QStringLiteral("Times New Roman")); },
        [](PrintSurface& s) { s.FontBold(false); },
        [](PrintSurface& s) { s.FontSize(18); },
        [](PrintSurface& s) { s.FontItalic(false); },
        [](PrintSurface& s) { s.ScaleMode(1); },
        [](PrintSurface& s) { s.ScaleLeft(-600); },
        [](PrintSurface& s) { s.Print(QStringLiteral(" ")); },
        [&](PrintSurface& s) { s.Print(intestazione); },
        [&](PrintSurface& s) { s.Print(regola); },
        [](PrintSurface& s) { s.Print(QStringLiteral("   ")); },
        [](PrintSurface& s) { s.FontSize(12); },
    };
    // A row too wide for the line continues on the next; the card number that closes it
    // ("  (Scheda n)") stays in one piece, so that it reads whole on paper.
    for (const QString& riga : righe)
        passi.push_back([&riga](PrintSurface& s) {
            const qsizetype numero = riga.endsWith(QLatin1Char(')'))
                ? riga.lastIndexOf(QStringLiteral("  (Scheda "))
                : -1;
            StampaRigaACapo(s, riga, {}, numero < 0 ? -1 : numero + 2);
        });
    const std::function<void(PrintSurface&)> coda[] = {
        [](PrintSurface& s) { s.FontSize(18); },
        [&](PrintSurface& s) { s.Print(regola); },
        [](PrintSurface& s) { s.Print(QStringLiteral("   ")); },
        [](PrintSurface& s) { s.FontSize(12); },
        [&](PrintSurface& s) { s.Print(totale); },
        [](PrintSurface& s) { s.FontSize(18); },
        [&](PrintSurface& s) { s.Print(regola); },
        [](PrintSurface& s) { s.FontSize(10); },
        [&](PrintSurface& s) { s.Print(piedeDiPagina(adesso)); },
    };
    passi.insert(passi.end(), std::begin(coda), std::end(coda));

    for (const auto& passo : passi) {
        passo(stampante);
        if (stampante.fallito())
            return false;
    }
    return stampante.EndDoc() && !stampante.fallito();
}

void StampaElenco(Platform& platform, QWidget* parent, TipoElenco tipo, const QString& criterio,
    const QStringList& righe)
{
    if (righe.isEmpty()) {
        platform.messaggi.mostra(
            parent, ListaVuota, TitoloListaVuota, Icona::Esclamazione, Pulsanti::Ok);
        return;
    }
    if (platform.messaggi.mostra(
            parent, InizioStampa, TitoloInizioStampa, Icona::Nessuna, Pulsanti::OkAnnulla)
        != Risposta::Ok)
        return;

    std::unique_ptr<PrintSurface> documento = platform.stampante.nuovoDocumento();
    if (!documento
        || !StampaRigheElenco(*documento, tipo, criterio, righe, QDateTime::currentDateTime())) {
        documento.reset(); // a half-made document is discarded before the message
        platform.messaggi.beep();
        platform.messaggi.mostra(
            parent, ErroreStampa, TitoloErroreStampa, Icona::Critica, Pulsanti::Ok);
        return;
    }
    // Without a printer the list became a PDF file: the desktop's viewer shows it.
    const QString pdf = documento->filePdf();
    documento.reset();
    if (!pdf.isEmpty())
        platform.shell.apriUrl(QUrl::fromLocalFile(pdf));
}

} // namespace melodora
