#include "platform/ListBox.h"

#include <QListWidget>

#include <limits>

namespace platform {

ListBox::ListBox(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new QListWidget)
{
    list()->setSelectionMode(QAbstractItemView::SingleSelection);
    list()->setSortingEnabled(false);
}

QListWidget *ListBox::list() const
{
    return static_cast<QListWidget *>(widget());
}

Index ListBox::ListCount() const
{
    return static_cast<Index>(list()->count());
}

Index ListBox::ListIndex() const
{
    const QList<QListWidgetItem *> selected = list()->selectedItems();
    return selected.isEmpty() ? Index(-1) : static_cast<Index>(list()->row(selected.first()));
}

bool ListBox::setListIndex(Index position)
{
    if (position == -1) {
        list()->clearSelection();
        return true;
    }
    if (position < 0 || position >= list()->count())
        return false;
    list()->setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    return true;
}

QString ListBox::Text() const
{
    const Index position = ListIndex();
    return position < 0 ? QString() : list()->item(position)->text();
}

QString ListBox::List(Index position) const
{
    const QListWidgetItem *item = list()->item(position);
    return item ? item->text() : QString();
}

QStringList ListBox::items() const
{
    QStringList texts;
    for (int row = 0; row < list()->count(); ++row)
        texts << list()->item(row)->text();
    return texts;
}

void ListBox::AddItem(const QString &item)
{
    if (list()->count() < std::numeric_limits<Index>::max())
        list()->addItem(item);
}

bool ListBox::RemoveItem(Index position)
{
    if (position < 0 || position >= list()->count())
        return false;
    const bool wasSelected = ListIndex() == position;
    delete list()->takeItem(position);
    // The view would otherwise move the selection to the entry that took its place.
    if (wasSelected)
        list()->clearSelection();
    return true;
}

} // namespace platform
