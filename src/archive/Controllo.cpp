#include "archive/Controllo.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"

#include <QFileInfo>

namespace melodora {

bool fileAudioEsiste(const QString& percorso)
{
    const QFileInfo info(percorso);
    return info.isAbsolute() && info.isFile();
}

Esito controllaArchivio(
    const QString& percorso, FileOps& ops, RisultatoControllo& risultato, const EsisteFile& esiste)
{
    // Opening creates a missing archive: look first.
    if (!QFileInfo::exists(percorso))
        return Esito::fallito(QStringLiteral("%1: il file non esiste").arg(percorso));
    Esito errore;
    // Only read, and only a regular file: a FIFO would block the check, a device has no end.
    auto archivio = ArchivioSchede::apriInLettura(percorso, ops, &errore);
    if (!archivio)
        return errore;
    RisultatoControllo r;
    r.lunghezza = archivio->lunghezza();
    if (r.lunghezza < 0)
        return Esito::daErrno(percorso);
    r.schede = r.lunghezza / kLunghezzaScheda;
    r.byteInCoda = r.lunghezza % kLunghezzaScheda;

    qint64 visitate = 0;
    Esito esito = archivio->perOgniScheda([&](qint64 n, const char* record) {
        visitate = n;
        for (int k = 0; k < kNumeroCampi; ++k) {
            const InfoCampo& campo = kCampi[k];
            RisultatoControllo::ByteIndefiniti b;
            for (int i = 0; i < campo.lunghezza; ++i) {
                const auto byte = static_cast<unsigned char>(record[campo.offset + i]);
                if (!cp1252::byteIndefinito(byte))
                    continue;
                if (b.quanti++ == 0) {
                    b.primo = byte;
                    b.offsetPrimo = (n - 1) * kLunghezzaScheda + campo.offset + i;
                }
            }
            if (b.quanti > 0) {
                b.scheda = n;
                b.campo = static_cast<Campo>(k);
                r.byteIndefiniti.append(b);
            }
        }
        const Scheda scheda = Scheda::daByte(record);
        if (scheda.testo(Campo::Brano).isEmpty())
            r.titoliVuoti.append(n);
        const QString audio = scheda.testo(Campo::MP3);
        if (!audio.isEmpty() && !esiste(audio))
            r.audioMancanti.append({ n, audio });
        return true;
    });
    if (!esito)
        return esito;
    if (visitate != r.schede)
        return Esito::fallito(
            QStringLiteral("%1: il file è cambiato durante il controllo").arg(percorso));
    risultato = std::move(r);
    return archivio->chiudi();
}

} // namespace melodora
