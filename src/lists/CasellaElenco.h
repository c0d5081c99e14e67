#pragma once

#include <QListView>
#include <QStringList>

class QStringListModel;
class QStyledItemDelegate;

namespace melodora {

/**
 * The list box of the two list windows: single selection, filled in one go with entries
 * already in list order (no sorted insert one at a time, no item object per row: the model
 * shares the entries' strings), able to select the first entry beginning with a text and to
 * tell the entry nearest to a point. Entries are shown whole, scrolling sideways where they
 * are wider than the box. Its tooltip, set by the window, shows over the rows.
 */
class CasellaElenco : public QListView {
    Q_OBJECT
public:
    explicit CasellaElenco(QWidget* parent = nullptr);

    /** Replaces the entries with @p voci; nothing is selected afterwards. */
    void riempi(const QStringList& voci);
    /** The entries in list order. */
    const QStringList& voci() const { return m_voci; }
    int conteggio() const { return static_cast<int>(m_voci.size()); }

    /** The selected entry's index, or -1. */
    int selezionato() const;
    /** The selected entry's text, empty when none is selected. */
    QString testoSelezionato() const;
    /** Selects entry @p indice and brings it into view; -1 selects none. */
    void seleziona(int indice);
    /**
     * Selects the first entry beginning with @p testo without regard to case, or none (also
     * for an empty @p testo); returns the index, or -1.
     */
    int selezionaPrima(const QString& testo);

    /**
     * The entry nearest to @p punto (in the viewport): the one under it, the last one below
     * the last entry, -1 outside the viewport or in an empty list.
     */
    int voceVicina(QPoint punto) const;
    /** Where entry @p indice is drawn, in the viewport. */
    QRect rettangolo(int indice) const;

signals:
    /** The selection changed: by a click, by the keyboard or by seleziona(). */
    void selezioneCambiata();
    /** An entry was double-clicked. */
    void doppioClic();
    /** The pointer moved over the rows with no button pressed. */
    void puntatoreMosso(QPoint punto);

protected:
    void mouseMoveEvent(QMouseEvent* evento) override;
    bool viewportEvent(QEvent* evento) override;

private:
    QStringListModel* m_modello;
    QStyledItemDelegate* m_delegato; // every row as wide as the widest entry
    QStringList m_voci; // shared with the model
    bool m_riempimento = false;
};

/** The tooltip of an entry: the text with one blank before it and one after it. */
QString suggerimentoVoce(const QString& voce);

/** The wait cursor, shown while a long pass over the archive runs. */
class CursoreAttesa {
public:
    CursoreAttesa();
    ~CursoreAttesa();
    CursoreAttesa(const CursoreAttesa&) = delete;
    CursoreAttesa& operator=(const CursoreAttesa&) = delete;
};

} // namespace melodora
