#include "platform/forms/ElementCovering.h"

#include "platform/forms/WindowedControl.h"

#include <QList>
#include <QRect>

#include <algorithm>
#include <utility>

namespace platform {

ElementCovering::ElementCovering(QObject *owner, const std::list<WindowedControl *> &layer)
    : m_owner(owner), m_layer(layer)
{
}

void ElementCovering::added(WindowedControl *control)
{
    if (control->index() >= 0 && control->m_shown)
        m_shownElements.push_back(control);
    schedule();
}

void ElementCovering::removed(WindowedControl *control)
{
    std::erase(m_shownElements, control);
    schedule();
}

void ElementCovering::shownChanged(WindowedControl *element, bool shown)
{
    if (shown)
        m_shownElements.push_back(element);
    else
        std::erase(m_shownElements, element);
}

void ElementCovering::coverBehind(WindowedControl *front)
{
    // In front of all, the element is covered by none; of those behind it, only the shown
    // ones can become covered. The other elements are left alone, however many there are.
    front->setCovered(false);
    if (!front->Visible())
        return;
    const QRect place = front->pixelRect();
    const std::vector<WindowedControl *> shown = m_shownElements;
    for (WindowedControl *other : shown) {
        if (other != front && other->name() == front->name() &&
            place.contains(other->pixelRect())) {
            passFocus(other, front);
            other->setCovered(true);
        }
    }
}

void ElementCovering::passFocus(WindowedControl *covered, WindowedControl *front)
{
    // Hiding a widget with the focus would send the focus on to the next control; the
    // element now in front is where the user's eyes are.
    const QWidget *focus = covered->widget()->window()->focusWidget();
    if (focus && (focus == covered->widget() || covered->widget()->isAncestorOf(focus)))
        front->widget()->setFocus(Qt::OtherFocusReason);
}

void ElementCovering::update(bool hideCovered)
{
    // The places of each array's shown elements met so far, front to back. An element whose
    // place one of them holds whole is covered: the element in front that covers it is
    // shown itself, or covered in turn by a larger one that is.
    struct Family {
        const QString *name;
        QList<std::pair<QRect, WindowedControl *>> places;
    };
    std::vector<Family> families;
    families.reserve(4); // a window has few arrays
    for (auto it = m_layer.rbegin(); it != m_layer.rend(); ++it) {
        WindowedControl *control = *it;
        if (control->index() < 0)
            continue;
        auto family = std::ranges::find_if(
            families, [control](const Family &f) { return *f.name == control->name(); });
        if (family == families.end())
            family = families.insert(families.end(), {&control->name(), {}});
        auto &places = family->places;
        const QRect place = control->pixelRect();
        const auto coverer = std::ranges::find_if(
            places, [&place](const auto &front) { return front.first.contains(place); });
        const bool covered = coverer != places.end();
        if (control->Visible() && !covered)
            places.append({place, control});
        if (covered && hideCovered && !control->isCovered())
            passFocus(control, coverer->second);
        if (hideCovered || !covered)
            control->setCovered(covered);
    }
}

void ElementCovering::schedule()
{
    if (std::exchange(m_scheduled, true))
        return;
    QMetaObject::invokeMethod(
        m_owner,
        [this] {
            m_scheduled = false;
            update(true);
        },
        Qt::QueuedConnection);
}

} // namespace platform
