#include "platform/accessibility/ContainerAccessible.h"

#include "platform/accessibility/ApplicationAccessible.h"
#include "platform/accessibility/GraphicalControlAccessible.h"
#include "platform/forms/Container.h"
#include "platform/forms/GraphicalControl.h"
#include "platform/forms/WindowedControl.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <tuple>
#include <unordered_set>

namespace platform {

namespace {

// The interfaces made so far, by control; each is deleted with its control.
QHash<const GraphicalControl *, QAccessible::Id> &interfaceIds()
{
    static QHash<const GraphicalControl *, QAccessible::Id> ids;
    return ids;
}

QAccessibleInterface *containerFactory(const QString &className, QObject *object)
{
    // Asked first with the application object's own class.
    if (object && object == QCoreApplication::instance())
        return new ApplicationAccessible;
    if (className == QLatin1String(Container::staticMetaObject.className())) {
        if (auto *container = qobject_cast<Container *>(object))
            return new ContainerAccessible(container);
    }
    return nullptr;
}

void installContainerFactory()
{
    QAccessible::installFactory(containerFactory);
}

} // namespace

// Every container, and the program as a whole, in the program and in tests alike, is described
// this way as soon as the application object exists.
Q_COREAPP_STARTUP_FUNCTION(installContainerFactory)

ContainerAccessible::ContainerAccessible(Container *container)
    : QAccessibleWidget(container,
                        container->isWindow() ? QAccessible::Window : QAccessible::Client)
{
}

Container *ContainerAccessible::container() const
{
    return static_cast<Container *>(widget());
}

std::vector<GraphicalControl *> ContainerAccessible::graphicalChildren() const
{
    std::vector<GraphicalControl *> children;
    for (GraphicalControl *control : container()->graphicalControls()) {
        if (control->accessibleRole() != QAccessible::NoRole)
            children.push_back(control);
    }
    // Not the z-order, which changes with every tab selection.
    const auto readingOrder = [](const GraphicalControl *c) {
        return std::tuple(c->index(), c->Top(), c->Left(), c->name());
    };
    std::ranges::sort(children, {}, readingOrder);
    return children;
}

std::vector<QAccessibleInterface *> ContainerAccessible::widgetChildren() const
{
    std::unordered_set<const QObject *> covered;
    for (const WindowedControl *control : container()->windowedControls()) {
        if (control->Visible() && control->isCovered())
            covered.insert(control->widget());
    }
    std::vector<QAccessibleInterface *> children;
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
        QAccessibleInterface *child = QAccessibleWidget::child(i);
        if (child && !covered.contains(child->object()))
            children.push_back(child);
    }
    return children;
}

int ContainerAccessible::childCount() const
{
    return int(widgetChildren().size() + graphicalChildren().size());
}

QAccessibleInterface *ContainerAccessible::child(int index) const
{
    const std::vector<QAccessibleInterface *> widgets = widgetChildren();
    if (index < 0)
        return nullptr;
    if (std::size_t(index) < widgets.size())
        return widgets[std::size_t(index)];
    const std::vector<GraphicalControl *> children = graphicalChildren();
    const auto painted = std::size_t(index) - widgets.size();
    return painted < children.size() ? interfaceFor(children[painted]) : nullptr;
}

int ContainerAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const std::vector<QAccessibleInterface *> widgets = widgetChildren();
    const auto *painted = dynamic_cast<const GraphicalControlAccessible *>(child);
    if (!painted) {
        const auto it = std::ranges::find(widgets, child);
        return it == widgets.end() ? -1 : int(it - widgets.begin());
    }
    const std::vector<GraphicalControl *> children = graphicalChildren();
    const auto it = std::ranges::find(children, painted->control());
    if (it == children.end())
        return -1;
    return int(widgets.size()) + int(it - children.begin());
}

QAccessibleInterface *ContainerAccessible::childAt(int x, int y) const
{
    Container *surface = container();
    const QPoint local = surface->mapFromGlobal(QPoint(x, y));
    // Child widgets lie above every painted control.
    if (QWidget *widget = surface->childAt(local)) {
        while (widget->parentWidget() != surface)
            widget = widget->parentWidget();
        return QAccessible::queryAccessibleInterface(widget);
    }
    // The frontmost painted control with a role; pictures without one are passed over, as the
    // selected tab's own picture lies above the tab it stands for.
    for (GraphicalControl *control : surface->graphicalControls()) {
        if (control->accessibleRole() != QAccessible::NoRole && control->Visible() &&
            control->pixelRect().contains(local))
            return interfaceFor(control);
    }
    return nullptr;
}

QAccessibleInterface *ContainerAccessible::interfaceFor(GraphicalControl *control)
{
    QHash<const GraphicalControl *, QAccessible::Id> &ids = interfaceIds();
    if (const auto it = ids.constFind(control); it != ids.cend())
        return QAccessible::accessibleInterface(*it);
    auto *made = new GraphicalControlAccessible(control);
    ids.insert(control, QAccessible::registerAccessibleInterface(made));
    return made;
}

void ContainerAccessible::controlDestroyed(const GraphicalControl *control)
{
    QHash<const GraphicalControl *, QAccessible::Id> &ids = interfaceIds();
    if (const auto it = ids.find(control); it != ids.end()) {
        QAccessible::deleteAccessibleInterface(*it);
        ids.erase(it);
    }
}

void ContainerAccessible::selectionChanged(GraphicalControl *control)
{
    // Only a listening screen reader needs to hear it, and only of a control it can reach.
    if (!QAccessible::isActive() || control->accessibleRole() == QAccessible::NoRole)
        return;
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(interfaceFor(control), changed);
    QAccessible::updateAccessibility(&event);
}

void ContainerAccessible::descriptionChanged(GraphicalControl *control)
{
    if (!QAccessible::isActive() || control->accessibleRole() == QAccessible::NoRole)
        return;
    QAccessibleEvent event(interfaceFor(control), QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace platform
