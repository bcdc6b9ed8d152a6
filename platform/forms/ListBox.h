#pragma once

#include "platform/forms/WindowedControl.h"

class QListWidget;

namespace platform {

// An unsorted, single-selection list. ListIndex is the selected position or -1; Text is
// the selected entry or "". Removing the selected entry leaves none selected.
class ListBox : public WindowedControl {
public:
    ListBox(Container *container, QString name);

    Index ListCount() const;
    Index ListIndex() const;
    // -1 clears the selection; a position outside the list is refused.
    bool setListIndex(Index position);
    QString Text() const;
    QString List(Index position) const;
    QStringList items() const;

    // False when the list already holds as many entries as a position can count.
    bool AddItem(const QString &item);
    bool RemoveItem(Index position);

private:
    QListWidget *list() const;
};

} // namespace platform
