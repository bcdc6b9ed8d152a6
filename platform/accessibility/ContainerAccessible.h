#pragma once

#include <QAccessibleWidget>

#include <unordered_map>
#include <vector>

namespace platform {

class Container;
class GraphicalControl;

// What assistive technology sees of a container: its child widgets, as for any widget, and
// after them the painted controls that were given a role, which have no widget of their own.
// An array element that a shown element covers is left out: only the page in front is there.
class ContainerAccessible : public QAccessibleWidget {
public:
    explicit ContainerAccessible(Container *container);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    // The interface that stands for a painted control, made when first asked for.
    static QAccessibleInterface *interfaceFor(GraphicalControl *control);
    // Called by the controls themselves.
    static void controlDestroyed(const GraphicalControl *control);
    static void selectionChanged(GraphicalControl *control);
    static void descriptionChanged(GraphicalControl *control);

private:
    // Worked out once per change to the container: a screen reader walking a strip of a
    // thousand tabs asks for each child in turn.
    struct Children {
        quint64 version = ~quint64(0);
        // Child widgets, less covered array elements.
        std::vector<QWidget *> widgets;
        // Painted controls with a role, in reading order: plain controls first, then array
        // elements by index, each group top to bottom and left to right.
        std::vector<GraphicalControl *> painted;
        std::unordered_map<const GraphicalControl *, int> paintedAt;
    };

    Container *container() const;
    const Children &children() const;

    mutable Children m_children;
};

} // namespace platform
