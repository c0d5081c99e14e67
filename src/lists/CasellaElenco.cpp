#include "lists/CasellaElenco.h"

#include "lists/Elenchi.h"

#include <QApplication>
#include <QListWidget>

namespace melodora::casella {

void riempi(QListWidget* lista, const QStringList& voci)
{
    lista->setUpdatesEnabled(false);
    lista->clear();
    lista->addItems(voci);
    lista->setCurrentRow(-1);
    lista->setUpdatesEnabled(true);
}

QString selezionata(const QListWidget* lista)
{
    const QList<QListWidgetItem*> scelte = lista->selectedItems();
    return scelte.isEmpty() ? QString() : scelte.first()->text();
}

int selezionaPrima(QListWidget* lista, const QStringList& voci, const QString& testo)
{
    const int indice = primaVoceCheInizia(voci, testo);
    if (indice >= 0) {
        lista->setCurrentRow(indice);
        lista->scrollToItem(lista->item(indice), QAbstractItemView::PositionAtTop);
    } else {
        lista->setCurrentRow(-1);
        lista->clearSelection();
    }
    return indice;
}

int voceVicina(const QListWidget* lista, QPoint punto)
{
    if (lista->count() == 0 || !lista->viewport()->rect().contains(punto))
        return -1;
    const QModelIndex sotto = lista->indexAt(punto);
    if (sotto.isValid())
        return sotto.row();
    // Inside the list but under no entry: the empty part below the last one.
    return lista->count() - 1;
}

QString suggerimento(const QString& voce) { return QLatin1Char(' ') + voce + QLatin1Char(' '); }

CursoreAttesa::CursoreAttesa() { QApplication::setOverrideCursor(Qt::WaitCursor); }

CursoreAttesa::~CursoreAttesa() { QApplication::restoreOverrideCursor(); }

} // namespace melodora::casella
