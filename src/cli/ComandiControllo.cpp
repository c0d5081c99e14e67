// The command that checks an archive.
#include "cli/Comandi.h"

#include "archive/Controllo.h"
#include "platform/FileOps.h"

namespace melodora::cli {

namespace {
    QString byteEsadecimale(unsigned char b)
    {
        return QStringLiteral("0x") + QString::number(b, 16).toUpper().rightJustified(2, u'0');
    }

    QStringList descrivi(const RisultatoControllo& r)
    {
        QStringList righe;
        if (r.byteInCoda != 0)
            righe << QStringLiteral("la lunghezza (%1 byte) non è un multiplo di %2: gli ultimi "
                                    "%3 byte non formano una scheda intera")
                         .arg(r.lunghezza)
                         .arg(kLunghezzaScheda)
                         .arg(r.byteInCoda);
        for (qint64 n : r.titoliVuoti)
            righe << QStringLiteral("scheda %1: il titolo del brano è vuoto").arg(n);
        for (const auto& a : r.audioMancanti)
            righe << QStringLiteral("scheda %1: il file audio \"%2\" non esiste")
                         .arg(a.scheda)
                         .arg(a.percorso);
        for (const auto& b : r.byteIndefiniti) {
            const QString quanti = b.quanti == 1
                ? QStringLiteral("1 byte non definito")
                : QStringLiteral("%1 byte non definiti").arg(b.quanti);
            righe << QStringLiteral("scheda %1, campo %2: %3 in Windows-1252 (il primo è %4, al "
                                    "byte %5 del file contando da 0)")
                         .arg(b.scheda)
                         .arg(QLatin1String(info(b.campo).nome), quanti, byteEsadecimale(b.primo))
                         .arg(b.offsetPrimo);
        }
        return righe;
    }
}

int comandoCheck(Contesto& c)
{
    if (!c.opzioni.isEmpty() || !c.argomenti.isEmpty()) {
        c.uscita.err << "melodora-cli: uso: check\n";
        return 2;
    }
    RisultatoControllo r;
    if (Esito e = controllaArchivio(c.archivio, fileOpsReali(), r); !e) {
        c.uscita.err << "melodora-cli: impossibile controllare l'archivio: " << e.errore << "\n";
        return 1;
    }
    QTextStream& out = c.uscita.out;
    out << "Archivio: " << c.archivio << "\n"
        << "Lunghezza: " << r.lunghezza << " byte, " << r.schede
        << (r.schede == 1 ? " scheda intera" : " schede intere") << "\n";
    const QStringList problemi = descrivi(r);
    if (problemi.isEmpty()) {
        out << "Nessun problema: l'archivio è integro.\n";
        return 0;
    }
    out << (problemi.size() == 1 ? QStringLiteral("Trovato 1 problema:")
                                 : QStringLiteral("Trovati %1 problemi:").arg(problemi.size()))
        << "\n";
    for (const QString& p : problemi)
        out << "  - " << p << "\n";
    return 1;
}

} // namespace melodora::cli
