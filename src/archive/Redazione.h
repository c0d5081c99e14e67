#pragma once

#include "archive/Esito.h"
#include "archive/Scheda.h"

#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace melodora {

class ArchivioSchede;
class FileOps;

/** How long a writer waits for another program to finish with the archive. */
inline constexpr std::chrono::milliseconds kAttesaBlocco { 5000 };

/** Which card a navigation button asks for. */
enum class Verso { Prima, Precedente, Successiva, Ultima };

/**
 * The rules of reading, saving and deleting cards, shared by the window and the command
 * line. Several programs may use one archive: every action that writes holds an exclusive
 * lock on the archive's folder (which the deletion's rename does not replace) for its whole
 * read-check-write, and an action on card n first checks that card n is still the card the
 * caller saw. Readers take no lock: the archive on disk is always whole.
 *
 * A symbolic link is followed: the archive is the link's target, and the target's folder
 * holds the lock and Schede.tmp.
 */
class Redazione {
public:
    struct Opzioni {
        std::chrono::milliseconds attesa = kAttesaBlocco;
        bool senzaBlocco = false; ///< only to measure what the lock costs
    };

    Redazione(const QString& archivio, FileOps& ops);
    Redazione(const QString& archivio, FileOps& ops, Opzioni opzioni);

    /** The file the actions work on: the archive, or the target of its link. */
    const QString& percorso() const { return m_percorso; }

    /**
     * The card a navigation button shows, from the card on display @p corrente (0 for
     * none): brought into range, and a real count's number rounded. Creates a missing
     * archive empty. @p n is 0 when the archive holds no card. A failure (an archive that
     * cannot be opened, measured or read) leaves @p n and @p scheda untouched.
     */
    [[nodiscard]] Esito naviga(Verso verso, qint64 corrente, qint64& n, Scheda& scheda) const;

    /** Reads card @p n, without creating the archive; Inesistente past its whole cards. */
    [[nodiscard]] Esito leggi(qint64 n, Scheda& scheda) const;

    /**
     * Appends @p scheda as a new card and gives its number in @p n. Refuses (Danneggiato)
     * an archive whose length is not a whole number of records.
     */
    [[nodiscard]] Esito aggiungi(const Scheda& scheda, qint64& n);

    /**
     * Replaces card @p n with @p nuova, if card n on disk is still @p vista (no check
     * without it): Inesistente or Cambiata otherwise, and nothing is written.
     */
    [[nodiscard]] Esito sostituisci(
        qint64 n, const std::optional<Scheda>& vista, const Scheda& nuova);

    /**
     * Removes card @p n and closes the gap, if card n is still @p vista (as sostituisci).
     * The shortened archive is built in a fresh Schede.tmp, synced and renamed over the
     * archive: at every instant the archive on disk is the old one or the new one. Gives
     * the number of whole cards left in @p rimaste. NonSincronizzata: the card is gone,
     * but the folder's sync failed.
     */
    [[nodiscard]] Esito elimina(qint64 n, const std::optional<Scheda>& vista, qint64& rimaste);

    /**
     * Appends @p schede, all or nothing even when the process is killed: the longer archive
     * is built as a copy and renamed into place, as the deletion does. A missing archive is
     * created only when this succeeds. Gives the first new card's number in @p primo.
     * @p scegli, when given, runs under the lock before anything is read, so that a check
     * against the cards on disk (a path already there) cannot race another writer; it may
     * drop cards from the list, and its failure writes nothing.
     */
    using Scelta = std::function<Esito(QList<Scheda>& schede)>;
    [[nodiscard]] Esito aggiungiSchede(
        QList<Scheda> schede, qint64& primo, const Scelta& scegli = {});

private:
    class Blocco;
    [[nodiscard]] Esito blocca(Blocco& blocco) const;
    [[nodiscard]] Esito apriEMisura(
        std::unique_ptr<ArchivioSchede>& archivio, qint64& lunghezza) const;

    QString m_percorso;
    FileOps& m_ops;
    Opzioni m_opzioni;
};

/** Schede.tmp in the folder of the archive at @p archivio. */
QString percorsoTemporaneo(const QString& archivio);

} // namespace melodora
