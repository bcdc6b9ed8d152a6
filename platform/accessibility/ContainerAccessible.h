#pragma once

#include <QAccessibleWidget>

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
    Container *container() const;
    // The child widgets' interfaces, less covered array elements.
    std::vector<QAccessibleInterface *> widgetChildren() const;
    // Painted controls with a role, in reading order: plain controls first, then array
    // elements by index, each group top to bottom and left to right.
    std::vector<GraphicalControl *> graphicalChildren() const;
};

} // namespace platform
