#include "platform/forms/ListBox.h"

#include <QListWidget>

#include <limits>

namespace platform {

namespace {

// A single-selection list whose selection only ever moves to another entry: a click on the
// empty space below the entries, or a Ctrl+click on the selected one, leaves it alone.
class SingleSelectionList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override
    {
        if (!index.isValid())
            return QItemSelectionModel::NoUpdate;
        return QListWidget::selectionCommand(index, event) == QItemSelectionModel::NoUpdate
                   ? QItemSelectionModel::NoUpdate
                   : QItemSelectionModel::ClearAndSelect;
    }
};

} // namespace

ListBox::ListBox(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new SingleSelectionList)
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

bool ListBox::AddItem(const QString &item)
{
    if (list()->count() >= std::numeric_limits<Index>::max())
        return false;
    list()->addItem(item);
    return true;
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
