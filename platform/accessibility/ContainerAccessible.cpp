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

const ContainerAccessible::Children &ContainerAccessible::children() const
{
    Container *surface = container();
    Children &c = m_children;
    if (c.version == surface->childrenVersion())
        return c;
    c.version = surface->childrenVersion();

    std::unordered_set<const QObject *> covered;
    for (const WindowedControl *control : surface->windowedControls()) {
        if (control->Visible() && control->isCovered())
            covered.insert(control->widget());
    }
    // The widgets Qt would list, in the same order: every child widget that is not a window
    // of its own (a menu, a tooltip).
    c.widgets.clear();
    for (QObject *object : surface->children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        if (widget && !widget->isWindow() && !covered.contains(widget))
            c.widgets.push_back(widget);
    }

    c.painted.clear();
    for (GraphicalControl *control : surface->graphicalControls()) {
        if (control->accessibleRole() != QAccessible::NoRole)
            c.painted.push_back(control);
    }
    // Not the z-order, which changes with every tab selection.
    const auto readingOrder = [](const GraphicalControl *control) {
        return std::tuple(control->index(), control->Top(), control->Left(), control->name());
    };
    std::ranges::sort(c.painted, {}, readingOrder);
    c.paintedAt.clear();
    for (std::size_t i = 0; i < c.painted.size(); ++i)
        c.paintedAt.emplace(c.painted[i], int(c.widgets.size() + i));
    return c;
}

int ContainerAccessible::childCount() const
{
    const Children &c = children();
    return int(c.widgets.size() + c.painted.size());
}

QAccessibleInterface *ContainerAccessible::child(int index) const
{
    const Children &c = children();
    if (index < 0)
        return nullptr;
    if (std::size_t(index) < c.widgets.size())
        return QAccessible::queryAccessibleInterface(c.widgets[std::size_t(index)]);
    const auto painted = std::size_t(index) - c.widgets.size();
    return painted < c.painted.size() ? interfaceFor(c.painted[painted]) : nullptr;
}

int ContainerAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    const Children &c = children();
    if (const auto *painted = dynamic_cast<const GraphicalControlAccessible *>(child)) {
        const auto it = c.paintedAt.find(painted->control());
        return it == c.paintedAt.end() ? -1 : it->second;
    }
    const auto it = std::ranges::find(c.widgets, child->object());
    return it == c.widgets.end() ? -1 : int(it - c.widgets.begin());
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
