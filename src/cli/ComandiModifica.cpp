// The commands that change cards in place: delete and update.
#include "cli/Comandi.h"

#include "archive/Interscambio.h"
#include "archive/Redazione.h"
#include "platform/FileOps.h"

namespace melodora::cli {

namespace {
    /** Card number N as the command's first argument; false (usage) when it is none. */
    bool numeroScheda(Contesto& c, qint64& n)
    {
        bool numero = false;
        n = c.argomenti.first().toLongLong(&numero);
        if (numero && n >= 1)
            return true;
        c.uscita.err << "melodora-cli: \"" << c.argomenti.first()
                     << "\" non è il numero di una scheda\n";
        return false;
    }

    QString schede(qint64 n) { return QString::number(n) + (n == 1 ? " scheda" : " schede"); }
}

int comandoDelete(Contesto& c)
{
    if (!c.opzioni.isEmpty() || c.argomenti.size() != 1) {
        c.uscita.err << "melodora-cli: uso: delete N\n";
        return 2;
    }
    qint64 n = 0;
    if (!numeroScheda(c, n))
        return 2;
    // The same deletion as the window's delete button, without its question.
    qint64 rimaste = 0;
    const Esito e = Redazione(c.archivio, fileOpsReali()).elimina(n, std::nullopt, rimaste);
    switch (e.motivo) {
    case Motivo::Nessuno:
        c.uscita.out << "Scheda " << n << " eliminata; l'archivio contiene ora " << schede(rimaste)
                     << ".\n";
        return 0;
    case Motivo::NonSincronizzata:
        c.uscita.err << "melodora-cli: la scheda " << n
                     << " è stata eliminata, ma la cartella dell'archivio non è stata scritta "
                        "su disco ("
                     << e.errore << ")\n";
        return 1;
    case Motivo::Inesistente:
        c.uscita.err << "melodora-cli: " << e.errore << "; nessuna scheda è stata eliminata\n";
        return 1;
    default:
        c.uscita.err << "melodora-cli: impossibile eliminare la scheda " << n << ": " << e.errore
                     << "; l'archivio non è stato modificato\n";
        return 1;
    }
}

int comandoUpdate(Contesto& c)
{
    if (!c.opzioni.isEmpty() || c.argomenti.size() != 2) {
        c.uscita.err << "melodora-cli: uso: update N FILE.json\n";
        return 2;
    }
    qint64 n = 0;
    if (!numeroScheda(c, n))
        return 2;
    const QString nomeFile = c.argomenti.at(1);
    QByteArray dati;
    if (!leggiFileDati(c, nomeFile, dati))
        return 1;
    Redazione redazione(c.archivio, fileOpsReali());
    Scheda vista;
    if (Esito e = redazione.leggi(n, vista); !e) {
        c.uscita.err << "melodora-cli: " << e.errore << "\n";
        return 1;
    }
    Scheda nuova = vista;
    QList<ProblemaValore> problemi;
    if (Esito e = aggiornaDaJson(dati, n, nuova, &problemi); !e) {
        c.uscita.err << "melodora-cli: " << nomeFile << ": " << e.errore
                     << "; la scheda non è stata modificata\n";
        return 1;
    }
    // Written only over the card read above: another program may have changed it since.
    if (Esito e = redazione.sostituisci(n, vista, nuova); !e) {
        c.uscita.err << "melodora-cli: " << e.errore << "; la scheda non è stata modificata\n";
        return 1;
    }
    elencaProblemi(c.uscita.err, problemi, "attenzione: ");
    c.uscita.out << "Scheda " << n << " aggiornata.\n";
    return 0;
}

} // namespace melodora::cli
