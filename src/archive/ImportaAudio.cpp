#include "archive/ImportaAudio.h"

#include "archive/Archivio.h"
#include "archive/Codifica.h"
#include "archive/Interscambio.h"
#include "archive/Redazione.h"
#include "platform/LettoreTag.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <cerrno>

namespace melodora {

namespace {
    const QStringList kEstensioni = { QStringLiteral("mp3"), QStringLiteral("wav"),
        QStringLiteral("flac"), QStringLiteral("ogg"), QStringLiteral("m4a") };

    /** A character as the messages show it: itself and its code, or the code alone. */
    QString nomeCarattere(const QString& c)
    {
        const QList<uint> codici = c.toUcs4();
        const QString codice
            = QStringLiteral("U+%1")
                  .arg(codici.isEmpty() ? 0u : codici.first(), 4, 16, QLatin1Char('0'))
                  .toUpper();
        const bool visibile
            = !c.isEmpty() && (c.size() == 2 || (!c.at(0).isSurrogate() && c.at(0).isPrint()));
        return visibile ? QStringLiteral("\"%1\" (%2)").arg(c, codice) : codice;
    }

    /**
     * @p testo with every character Windows-1252 lacks as one '?' (a character outside the
     * BMP too, though it takes two UTF-16 units); the first such character in @p primo.
     */
    QString in1252(const QString& testo, QString& primo)
    {
        QString out;
        out.reserve(testo.size());
        for (qsizetype i = 0; i < testo.size(); ++i) {
            unsigned char byte = 0;
            if (cp1252::codifica(testo.at(i), byte)) {
                out.append(testo.at(i));
                continue;
            }
            const bool coppia = testo.at(i).isHighSurrogate() && i + 1 < testo.size()
                && testo.at(i + 1).isLowSurrogate();
            if (primo.isEmpty())
                primo = testo.mid(i, coppia ? 2 : 1);
            out.append(QLatin1Char('?'));
            if (coppia)
                ++i;
        }
        return out;
    }

    /** A one-line field cannot show line breaks or tabs: they become blanks. */
    QString suUnaRiga(QString testo)
    {
        for (QChar& c : testo) {
            if (c.unicode() < 0x20)
                c = QLatin1Char(' ');
        }
        return testo;
    }
}

bool fileAudio(const QString& percorso)
{
    return kEstensioni.contains(QFileInfo(percorso).suffix().toLower());
}

FileTrovati trovaFileAudio(const QStringList& percorsi, bool ricorsiva)
{
    FileTrovati trovati;
    for (const QString& p : percorsi) {
        const QFileInfo info(p);
        if (!info.exists()) {
            trovati.inesistenti.append(p);
        } else if (info.isDir()) {
            QStringList cartella;
            QDirIterator it(info.absoluteFilePath(), QDir::Files,
                ricorsiva ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
            while (it.hasNext()) {
                const QString f = it.next();
                if (fileAudio(f))
                    cartella.append(QDir::cleanPath(f));
            }
            cartella.sort();
            trovati.audio.append(cartella);
        } else if (fileAudio(p)) {
            trovati.audio.append(QDir::cleanPath(info.absoluteFilePath()));
        } else {
            trovati.nonAudio.append(p);
        }
    }
    return trovati;
}

QString descriviProblemaAudio(const ProblemaAudio& p)
{
    const QString dove
        = QStringLiteral("%1, campo %2: ").arg(p.file, QLatin1String(info(p.campo).nome));
    const int massimo = info(p.campo).lunghezza;
    switch (p.tipo) {
    case ProblemaAudio::Tipo::Tagliato:
        return dove
            + QStringLiteral("%1 caratteri, tagliato ai primi %2").arg(p.lunghezza).arg(massimo);
    case ProblemaAudio::Tipo::Sostituito:
        return dove
            + QStringLiteral("il carattere %1 non si può archiviare in Windows-1252, sostituito "
                             "da '?'")
                  .arg(nomeCarattere(p.carattere));
    case ProblemaAudio::Tipo::PercorsoTroppoLungo:
        return dove
            + QStringLiteral("il percorso ha %1 caratteri, ma il campo ne contiene al massimo "
                             "%2; file non importato")
                  .arg(p.lunghezza)
                  .arg(massimo);
    case ProblemaAudio::Tipo::PercorsoNonArchiviabile:
        return dove
            + QStringLiteral("il carattere %1 del percorso non si può archiviare in "
                             "Windows-1252; file non importato")
                  .arg(nomeCarattere(p.carattere));
    case ProblemaAudio::Tipo::Illeggibile:
        break;
    }
    return QStringLiteral("%1: %2; file non importato").arg(p.file, p.errore);
}

bool schedaDaTag(
    const QString& percorso, const TagAudio& tag, Scheda& scheda, QList<ProblemaAudio>& problemi)
{
    const QFileInfo info(percorso);
    QString titolo = tag.titolo;
    if (titolo.trimmed().isEmpty())
        titolo = info.completeBaseName().isEmpty() ? info.fileName() : info.completeBaseName();
    const std::array<QString, kNumeroCampi> valori
        = { suUnaRiga(titolo), suUnaRiga(tag.artista), suUnaRiga(tag.album), suUnaRiga(tag.genere),
              suUnaRiga(tag.anno), QString(), normalizzaACapo(tag.testo), percorso };

    ProblemaAudio base;
    base.file = percorso;
    bool accettato = true;
    std::array<QString, kNumeroCampi> testi;
    for (int k = 0; k < kNumeroCampi; ++k) {
        ProblemaAudio p = base;
        p.campo = static_cast<Campo>(k);
        const QString valore = in1252(togliSpazi(valori[k]), p.carattere);
        p.lunghezza = valore.size();
        if (p.campo == Campo::MP3) {
            // A path cut or changed names another file, or none: such a file gets no card.
            if (p.lunghezza > kCampi[k].lunghezza) {
                p.tipo = ProblemaAudio::Tipo::PercorsoTroppoLungo;
                problemi.append(p);
                accettato = false;
            } else if (!p.carattere.isEmpty()) {
                p.tipo = ProblemaAudio::Tipo::PercorsoNonArchiviabile;
                problemi.append(p);
                accettato = false;
            }
            testi[k] = accettato ? valore : QString();
            continue;
        }
        if (!p.carattere.isEmpty()) {
            p.tipo = ProblemaAudio::Tipo::Sostituito;
            problemi.append(p);
        }
        if (p.lunghezza > kCampi[k].lunghezza) {
            p.tipo = ProblemaAudio::Tipo::Tagliato;
            problemi.append(p);
        }
        testi[k] = valore;
    }
    scheda = Scheda::daTesti(testi);
    return accettato;
}

Esito percorsiInArchivio(const QString& archivio, FileOps& ops, QSet<QString>& percorsi)
{
    Esito errore;
    const auto file = ArchivioSchede::apriInLettura(archivio, ops, &errore);
    if (!file)
        return QFileInfo::exists(archivio) ? errore : Esito::riuscito();
    const InfoCampo& mp3 = info(Campo::MP3);
    return file->perOgniScheda([&](qint64, const char* record) {
        const QString p = togliSpazi(cp1252::decodifica(record + mp3.offset, mp3.lunghezza));
        if (!p.isEmpty())
            percorsi.insert(p);
        return true;
    });
}

Esito importaAudio(const QStringList& file, const QString& archivio, FileOps& ops,
    const LettoreTag& lettore, bool soloProva, ImportazioneAudio& esito,
    const AvanzamentoAudio& avanzamento)
{
    esito = {};
    QSet<QString> presenti;
    if (Esito e = percorsiInArchivio(archivio, ops, presenti); !e)
        return e;
    const qint64 totale = file.size();
    for (qint64 i = 0; i < totale; ++i) {
        const QString& percorso = file.at(i);
        if (avanzamento && !avanzamento(i, totale, percorso)) {
            esito.schede.clear();
            esito.annullata = true;
            return {};
        }
        if (presenti.contains(percorso)) {
            ++esito.duplicati;
            continue;
        }
        presenti.insert(percorso);
        TagAudio tag;
        ProblemaAudio illeggibile;
        if (!lettore.leggi(percorso, tag, illeggibile.errore)) {
            illeggibile.file = percorso;
            illeggibile.tipo = ProblemaAudio::Tipo::Illeggibile;
            esito.problemi.append(illeggibile);
            ++esito.rifiutati;
            continue;
        }
        Scheda scheda;
        if (schedaDaTag(percorso, tag, scheda, esito.problemi))
            esito.schede.append(scheda);
        else
            ++esito.rifiutati;
    }
    if (avanzamento && !avanzamento(totale, totale, QString())) {
        esito.schede.clear();
        esito.annullata = true;
        return {};
    }
    if (soloProva || esito.schede.isEmpty())
        return {};
    // Another program may have added some of these files since the archive was read above:
    // their paths are checked again under the writers' lock.
    const auto togliPresenti = [&](QList<Scheda>& schede) {
        QSet<QString> ora;
        if (Esito e = percorsiInArchivio(archivio, ops, ora); !e)
            return e;
        QSet<QString> tolti;
        schede.removeIf([&](const Scheda& s) {
            const QString p = s.testo(Campo::MP3);
            return ora.contains(p) && (tolti.insert(p), true);
        });
        esito.problemi.removeIf([&](const ProblemaAudio& p) { return tolti.contains(p.file); });
        esito.duplicati += tolti.size();
        esito.schede = schede;
        return Esito::riuscito();
    };
    qint64 primo = 0;
    if (Esito e = Redazione(archivio, ops).aggiungiSchede(esito.schede, primo, togliPresenti); !e)
        return e;
    if (!esito.schede.isEmpty())
        esito.primo = primo;
    return {};
}

} // namespace melodora
