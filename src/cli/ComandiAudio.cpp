// import-audio: one card per audio file, from its tags.
#include "cli/Comandi.h"

#include "archive/ImportaAudio.h"
#include "platform/FileOps.h"
#include "platform/LettoreTag.h"

#include <QElapsedTimer>

#include <unistd.h>

namespace melodora::cli {

namespace {
    QString file(qint64 n) { return QString::number(n) + QStringLiteral(" file"); }
    QString schede(qint64 n) { return QString::number(n) + (n == 1 ? " scheda" : " schede"); }

    /** The progress line, on a terminal only: a pipe or a log file would fill with it. */
    class RigaAvanzamento {
    public:
        explicit RigaAvanzamento(QTextStream& err)
            : m_err(err)
            , m_attiva(isatty(STDERR_FILENO) == 1)
        {
            m_orologio.start();
        }
        ~RigaAvanzamento()
        {
            if (m_scritta) {
                m_err << "\r\x1b[K";
                m_err.flush();
            }
        }
        RigaAvanzamento(const RigaAvanzamento&) = delete;
        RigaAvanzamento& operator=(const RigaAvanzamento&) = delete;

        bool operator()(qint64 fatti, qint64 totale, const QString& corrente)
        {
            // Ten lines a second are enough to follow; thousands would slow the import.
            if (!m_attiva || (m_scritta && fatti < totale && m_orologio.elapsed() < 100))
                return true;
            m_orologio.restart();
            m_scritta = true;
            m_err << "\r\x1b[K" << fatti << "/" << totale << " " << corrente;
            m_err.flush();
            return true;
        }

    private:
        QTextStream& m_err;
        bool m_attiva;
        bool m_scritta = false;
        QElapsedTimer m_orologio;
    };
}

int comandoImportAudio(Contesto& c)
{
    if (!opzioniAmmesse(c, { QStringLiteral("--recursive"), QStringLiteral("--dry-run") })
        || c.argomenti.isEmpty()) {
        c.uscita.err << "melodora-cli: uso: import-audio PERCORSO... [--recursive] [--dry-run]\n";
        return 2;
    }
    const bool prova = c.opzioni.contains(QStringLiteral("--dry-run"));
    const FileTrovati trovati
        = trovaFileAudio(c.argomenti, c.opzioni.contains(QStringLiteral("--recursive")));
    // A mistyped argument stops everything: the import is all or nothing.
    for (const QString& p : trovati.inesistenti)
        c.uscita.err << "melodora-cli: " << p << " non esiste\n";
    for (const QString& p : trovati.nonAudio)
        c.uscita.err << "melodora-cli: " << p
                     << " non è un file audio (mp3, wav, flac, ogg, m4a)\n";
    if (!trovati.inesistenti.isEmpty() || !trovati.nonAudio.isEmpty()) {
        c.uscita.err << "melodora-cli: nessuna scheda importata\n";
        return 1;
    }
    if (trovati.audio.isEmpty()) {
        c.uscita.out << "Nessun file audio da importare.\n";
        return 0;
    }

    ImportazioneAudio esito;
    Esito e;
    {
        RigaAvanzamento riga(c.uscita.err);
        e = importaAudio(trovati.audio, c.archivio, fileOpsReali(), lettoreTagReale(), prova, esito,
            [&riga](qint64 fatti, qint64 totale, const QString& corrente) {
                return riga(fatti, totale, corrente);
            });
    }
    if (!e) {
        c.uscita.err << "melodora-cli: " << e.errore << "; nessuna scheda importata\n";
        return 1;
    }
    // At most this many are listed; a damaged music folder can have thousands.
    constexpr qsizetype kMostrati = 50;
    for (qsizetype i = 0; i < esito.problemi.size() && i < kMostrati; ++i)
        c.uscita.err << "melodora-cli: attenzione: " << descriviProblemaAudio(esito.problemi.at(i))
                     << "\n";
    if (esito.problemi.size() > kMostrati)
        c.uscita.err << "melodora-cli: attenzione: ... e altri "
                     << esito.problemi.size() - kMostrati << " problemi\n";

    const qint64 n = esito.schede.size();
    if (prova) {
        for (const Scheda& s : esito.schede)
            c.uscita.out << s.testo(Campo::MP3) << ": " << s.testo(Campo::Brano) << "\n";
        c.uscita.out << "Da aggiungere: " << schede(n) << "; ";
    } else if (n == 0) {
        c.uscita.out << "Nessuna scheda aggiunta; ";
    } else {
        c.uscita.out << "Aggiunte " << schede(n) << " (dalla " << esito.primo << " alla "
                     << esito.primo + n - 1 << "); ";
    }
    c.uscita.out << file(esito.duplicati) << " già in archivio (saltati); " << file(esito.rifiutati)
                 << " rifiutati.\n";
    if (prova)
        c.uscita.out << "Prova (--dry-run): l'archivio non è stato modificato.\n";
    return 0;
}

} // namespace melodora::cli
