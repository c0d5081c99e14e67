// The archive reader on arbitrary bytes: the record codec, the file operations, the check
// and both exports.
#include "Bersagli.h"
#include "Comune.h"

#include "archive/Archivio.h"
#include "archive/Controllo.h"
#include "archive/Csv.h"
#include "archive/Interscambio.h"
#include "platform/FileOps.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstring>

namespace melodora::fuzz {

namespace {
    bool fallisci(QString& difetto, const QString& motivo)
    {
        difetto = motivo;
        return false;
    }

    /**
     * The card as the save button would store its shown values, with each line break made
     * CR LF and a blank title filled: a card that must come back unchanged from an export.
     */
    bool comeSalvata(const Scheda& letta, Scheda& salvata)
    {
        std::array<QString, kNumeroCampi> testi;
        for (int k = 0; k < kNumeroCampi; ++k)
            testi[k] = normalizzaACapo(letta.testo(static_cast<Campo>(k)));
        if (togliSpazi(testi[0]).isEmpty())
            testi[0] = QStringLiteral("?");
        salvata = Scheda::daTesti(testi);
        // Cutting can split a CR LF; such a card is not one the window could show and save
        // back unchanged, so it proves nothing here.
        for (int k = 0; k < kNumeroCampi; ++k) {
            const QString v = salvata.testo(static_cast<Campo>(k));
            if (normalizzaACapo(v) != v)
                return false;
        }
        return true;
    }
}

bool prova_archivio(const QByteArray& dati, QString& difetto)
{
    const qint64 intere = dati.size() / kLunghezzaScheda;
    QList<Scheda> lette;
    QList<Scheda> salvate;
    qsizetype titoliVuoti = 0;
    for (qint64 n = 1; n <= intere; ++n) {
        const char* record = dati.constData() + (n - 1) * kLunghezzaScheda;
        const Scheda s = Scheda::daByte(record);
        if (s.inByte() != QByteArray(record, kLunghezzaScheda))
            return fallisci(difetto, QStringLiteral("scheda %1: riscritta con altri byte").arg(n));
        if (s.testo(Campo::Brano).isEmpty())
            ++titoliVuoti;
        lette.append(s);
        Scheda salvata;
        if (comeSalvata(s, salvata))
            salvate.append(salvata);
    }

    // The same bytes as a file, through the archive's own operations.
    static QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("Sonoria.sng"));
    {
        QFile f(percorso);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(dati) != dati.size())
            return fallisci(difetto, QStringLiteral("file di prova non scritto"));
    }
    auto archivio = ArchivioSchede::apri(percorso, fileOpsReali());
    if (!archivio)
        return fallisci(difetto, QStringLiteral("archivio non aperto"));
    if (archivio->NumeroSchede() != static_cast<double>(dati.size()) / kLunghezzaScheda
        || archivio->schedeIntere() != intere)
        return fallisci(difetto, QStringLiteral("numero di schede sbagliato"));
    qint64 visitate = 0;
    bool uguali = true;
    const Esito letto = archivio->perOgniScheda([&](qint64 n, const char* record) {
        ++visitate;
        uguali = uguali && n == visitate
            && std::memcmp(record, dati.constData() + (n - 1) * kLunghezzaScheda, kLunghezzaScheda)
                == 0;
        return true;
    });
    if (!letto || visitate != intere || !uguali)
        return fallisci(difetto, QStringLiteral("lettura a blocchi diversa dal file"));
    for (qint64 n = 1; n <= intere + 1; ++n) {
        Scheda s;
        const bool parte = dati.size() % kLunghezzaScheda != 0;
        const Esito e = archivio->LeggiScheda(n, s);
        if (n <= intere && (!e || !(s == lette.at(n - 1))))
            return fallisci(difetto, QStringLiteral("LeggiScheda(%1) diversa").arg(n));
        if (n > intere && bool(e) != parte)
            return fallisci(difetto, QStringLiteral("LeggiScheda oltre la fine"));
    }

    QByteArray json;
    QByteArray csv;
    if (!esportaJson(*archivio, json) || !esportaCsv(*archivio, csv))
        return fallisci(difetto, QStringLiteral("esportazione fallita"));
    archivio.reset();

    RisultatoControllo r;
    if (!controllaArchivio(percorso, fileOpsReali(), r, [](const QString&) { return false; }))
        return fallisci(difetto, QStringLiteral("controllo fallito"));
    if (r.schede != intere || r.byteInCoda != dati.size() % kLunghezzaScheda
        || r.titoliVuoti.size() != titoliVuoti)
        return fallisci(difetto, QStringLiteral("controllo: conti sbagliati"));
    for (const auto& b : r.byteIndefiniti) {
        const qint64 inizio = (b.scheda - 1) * kLunghezzaScheda + info(b.campo).offset;
        if (b.offsetPrimo < inizio || b.offsetPrimo >= inizio + info(b.campo).lunghezza
            || static_cast<unsigned char>(dati.at(b.offsetPrimo)) != b.primo)
            return fallisci(difetto, QStringLiteral("controllo: byte indefinito fuori posto"));
    }

    // An export is read back whenever every card has a title, and only then.
    QList<Scheda> daJson;
    QList<Scheda> daCsv;
    if (bool(leggiJson(json, daJson)) != (titoliVuoti == 0)
        || bool(leggiCsv(csv, daCsv)) != (titoliVuoti == 0))
        return fallisci(difetto, QStringLiteral("esportazione non riletta"));
    if (daJson.size() != daCsv.size() || byteDi(daJson) != byteDi(daCsv))
        return fallisci(difetto, QStringLiteral("JSON e CSV riletti diversi"));

    // Cards as the save button writes them come back byte for byte.
    return giroJson(salvate, difetto) && giroCsv(salvate, difetto);
}

} // namespace melodora::fuzz
