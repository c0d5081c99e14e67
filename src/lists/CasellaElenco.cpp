#include "lists/CasellaElenco.h"

#include "lists/Elenchi.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QtMath>

#include <algorithm>
#include <array>

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
            QSize dimensione = QStyledItemDelegate::sizeHint(opzione, indice);
            QStyleOptionViewItem o = opzione;
            initStyleOption(&o, indice);
            const int campione = o.fontMetrics.horizontalAdvance(o.text);
            dimensione.rwidth() += std::max(0, larghezzaTesto - campione);
            return dimensione;
        }

        int larghezzaTesto = 0; ///< of the widest entry, in pixels
    };

    /**
     * The width of the widest of @p voci in @p font, from the advances of their characters:
     * shaping every entry of a long list would cost several times the list's own filling.
     * Kerning only narrows an entry; a character's width more covers rounding.
     */
    int larghezzaMassima(const QStringList& voci, const QFont& font)
    {
        const QFontMetricsF metriche(font);
        std::array<qreal, 256> latini;
        latini.fill(-1);
        QHash<char16_t, qreal> altri;
        qreal massima = 0;
        for (const QString& voce : voci) {
            qreal larghezza = 0;
            for (const QChar c : voce) {
                const char16_t u = c.unicode();
                if (u < latini.size()) {
                    if (latini[u] < 0)
                        latini[u] = metriche.horizontalAdvance(c);
                    larghezza += latini[u];
                } else {
                    auto a = altri.find(u);
                    if (a == altri.end())
                        a = altri.insert(u, metriche.horizontalAdvance(c));
                    larghezza += *a;
                }
            }
            massima = std::max(massima, larghezza);
        }
        return massima > 0 ? qCeil(massima + metriche.averageCharWidth()) : 0;
    }
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
    // Before the view lays the rows out, in the list's own font.
    static_cast<DelegatoVoci*>(m_delegato)->larghezzaTesto = larghezzaMassima(m_voci, font());
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
