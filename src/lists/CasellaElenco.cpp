#include "lists/CasellaElenco.h"

#include "lists/Elenchi.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QStringListModel>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace melodora {

namespace {
    /**
     * Every row as wide as the widest entry. With rows of one size the view asks a single
     * row its size; answered for the widest entry, it lets the list scroll sideways to the
     * end of every entry (where the card number stands) instead of cutting entries short.
     */
    class DelegatoVoci : public QStyledItemDelegate {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;

        QSize sizeHint(
            const QStyleOptionViewItem& opzione, const QModelIndex& indice) const override
        {
            if (piuLarga.isEmpty())
                return QStyledItemDelegate::sizeHint(opzione, indice);
            QStyleOptionViewItem o = opzione;
            initStyleOption(&o, indice);
            o.text = piuLarga;
            const QStyle* stile = o.widget ? o.widget->style() : QApplication::style();
            return stile->sizeFromContents(QStyle::CT_ItemViewItem, &o, QSize(), o.widget);
        }

        QString piuLarga;
    };
}

CasellaElenco::CasellaElenco(QWidget* parent)
    : QListView(parent)
    , m_modello(new QStringListModel(this))
    , m_delegato(new DelegatoVoci(this))
{
    setModel(m_modello);
    setItemDelegate(m_delegato);
    // Entries are shown whole: a scroll bar where they are wider than the box.
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // a hundred thousand rows lay out at once
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_riempimento)
            emit selezioneCambiata();
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { emit doppioClic(); });
}

void CasellaElenco::riempi(const QStringList& voci)
{
    m_riempimento = true;
    selectionModel()->clear();
    m_voci = voci;
    // One measure per entry, in the list's own font, before the view lays the rows out.
    const QFontMetrics metriche(font());
    QString piuLarga;
    int larghezza = -1;
    for (const QString& voce : m_voci) {
        const int l = metriche.horizontalAdvance(voce);
        if (l > larghezza) {
            larghezza = l;
            piuLarga = voce;
        }
    }
    static_cast<DelegatoVoci*>(m_delegato)->piuLarga = piuLarga;
    m_modello->setStringList(m_voci);
    m_riempimento = false;
}

int CasellaElenco::selezionato() const
{
    const QModelIndexList scelte = selectionModel()->selectedIndexes();
    return scelte.isEmpty() ? -1 : scelte.first().row();
}

QString CasellaElenco::testoSelezionato() const
{
    const int i = selezionato();
    return i < 0 ? QString() : m_voci.at(i);
}

void CasellaElenco::seleziona(int indice)
{
    if (indice < 0 || indice >= conteggio()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex i = m_modello->index(indice);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i, QAbstractItemView::PositionAtTop);
}

int CasellaElenco::selezionaPrima(const QString& testo)
{
    const int indice = primaVoceCheInizia(m_voci, testo);
    seleziona(indice);
    return indice;
}

int CasellaElenco::voceVicina(QPoint punto) const
{
    if (m_voci.isEmpty() || !viewport()->rect().contains(punto))
        return -1;
    const QModelIndex sotto = indexAt(punto);
    if (sotto.isValid())
        return sotto.row();
    // Inside the list but under no entry: the empty part below the last one.
    return conteggio() - 1;
}

QRect CasellaElenco::rettangolo(int indice) const { return visualRect(m_modello->index(indice)); }

void CasellaElenco::mouseMoveEvent(QMouseEvent* evento)
{
    if (evento->buttons() == Qt::NoButton)
        emit puntatoreMosso(evento->position().toPoint());
    QListView::mouseMoveEvent(evento);
}

bool CasellaElenco::viewportEvent(QEvent* evento)
{
    // The rows carry no tooltip of their own: the list's tooltip, which follows the
    // pointer, is the one shown.
    if (evento->type() == QEvent::ToolTip) {
        auto* aiuto = static_cast<QHelpEvent*>(evento);
        if (toolTip().isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(aiuto->globalPos(), toolTip(), viewport());
        return true;
    }
    return QListView::viewportEvent(evento);
}

QString suggerimentoVoce(const QString& voce) { return QLatin1Char(' ') + voce + QLatin1Char(' '); }

CursoreAttesa::CursoreAttesa() { QApplication::setOverrideCursor(Qt::WaitCursor); }

CursoreAttesa::~CursoreAttesa() { QApplication::restoreOverrideCursor(); }

} // namespace melodora
