#pragma once

#include <QPoint>
#include <QStringList>

class QListWidget;

namespace melodora {

/**
 * What the list windows ask of their list box beyond Qt's own behaviour: a fill in one go,
 * the selection of the first entry beginning with a text, and the entry nearest to a point.
 */
namespace casella {

    /**
     * Replaces the items with @p voci, already in list order, in one go: no sorted insert
     * one at a time. Nothing is selected afterwards.
     */
    void riempi(QListWidget* lista, const QStringList& voci);

    /** The text of the selected entry, empty when none is selected. */
    QString selezionata(const QListWidget* lista);

    /**
     * Selects the first entry beginning with @p testo without regard to case, or none (also
     * for an empty @p testo); the index selected, or -1.
     */
    int selezionaPrima(QListWidget* lista, const QStringList& voci, const QString& testo);

    /**
     * The entry nearest to @p punto (in the list's viewport): the one under it, the last one
     * below the last entry, -1 outside the viewport or in an empty list.
     */
    int voceVicina(const QListWidget* lista, QPoint punto);

    /** The tooltip of an entry: the text with one blank before it and one after it. */
    QString suggerimento(const QString& voce);

    /** The wait cursor, shown while a long pass over the archive runs. */
    class CursoreAttesa {
    public:
        CursoreAttesa();
        ~CursoreAttesa();
        CursoreAttesa(const CursoreAttesa&) = delete;
        CursoreAttesa& operator=(const CursoreAttesa&) = delete;
    };

} // namespace casella
} // namespace melodora
