#include "platform/Container.h"

#include "platform/GraphicalControl.h"
#include "platform/WindowedControl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace platform {

Container::Container(QWidget *parent) : QWidget(parent) {}

Container::~Container() = default;

template <class T>
bool Container::move(Layer<T> &layer, std::unordered_map<T *, typename Layer<T>::iterator> &where,
                     T *control, bool toFront)
{
    const auto it = where.at(control);
    // Already there: nothing to raise or paint again.
    if (toFront ? std::next(it) == layer.end() : it == layer.begin())
        return false;
    layer.splice(toFront ? layer.end() : layer.begin(), layer, it);
    return true;
}

QStringList Container::graphicalOrder() const
{
    QStringList names;
    for (auto it = m_graphical.rbegin(); it != m_graphical.rend(); ++it)
        names << (*it)->displayName();
    return names;
}

QStringList Container::windowedOrder() const
{
    QStringList names;
    for (auto it = m_windowed.rbegin(); it != m_windowed.rend(); ++it)
        names << (*it)->displayName();
    return names;
}

std::vector<WindowedControl *> Container::windowedControls() const
{
    return {m_windowed.rbegin(), m_windowed.rend()};
}

std::vector<GraphicalControl *> Container::graphicalControls() const
{
    return {m_graphical.rbegin(), m_graphical.rend()};
}

GraphicalControl *Container::graphicalAt(const QPoint &pixels) const
{
    if (m_targetsVersion == m_graphicalVersion) {
        for (auto it = m_targets.rbegin(); it != m_targets.rend(); ++it) {
            if (it->place.contains(pixels))
                return it->control;
        }
        return nullptr;
    }
    for (auto it = m_graphical.rbegin(); it != m_graphical.rend(); ++it) {
        GraphicalControl *control = *it;
        if (control->Visible() && control->takesClicks() && control->pixelRect().contains(pixels))
            return control;
    }
    return nullptr;
}

void Container::setPicture(const QImage &picture)
{
    m_picture = picture;
    update(m_picture.rect());
}

void Container::bringToFront(Control *control)
{
    if (control->isWindowed()) {
        auto *windowed = static_cast<WindowedControl *>(control);
        if (!move(m_windowed, m_windowedPos, windowed, true))
            return;
        windowed->widget()->raise();
        if (windowed->index() >= 0)
            coverBehind(windowed);
    } else {
        auto *graphical = static_cast<GraphicalControl *>(control);
        if (move(m_graphical, m_graphicalPos, graphical, true))
            repaintArea(graphical->paintRect());
    }
}

void Container::sendToBack(Control *control)
{
    if (control->isWindowed()) {
        auto *windowed = static_cast<WindowedControl *>(control);
        if (!move(m_windowed, m_windowedPos, windowed, false))
            return;
        windowed->widget()->lower();
        if (windowed->index() >= 0)
            updateCovering(true);
    } else {
        auto *graphical = static_cast<GraphicalControl *>(control);
        if (move(m_graphical, m_graphicalPos, graphical, false))
            repaintArea(graphical->paintRect());
    }
}

void Container::addGraphical(GraphicalControl *control)
{
    m_graphicalPos[control] = m_graphical.insert(m_graphical.end(), control);
    ++m_graphicalVersion;
}

void Container::removeGraphical(GraphicalControl *control)
{
    ++m_graphicalVersion;
    if (const auto it = m_graphicalPos.find(control); it != m_graphicalPos.end()) {
        m_graphical.erase(it->second);
        m_graphicalPos.erase(it);
    }
    if (m_pressed == control)
        m_pressed = nullptr;
}

void Container::addWindowed(WindowedControl *control)
{
    // A new child widget starts in front of its siblings, and so does its model entry.
    m_windowedPos[control] = m_windowed.insert(m_windowed.end(), control);
    if (control->index() >= 0 && control->m_shown)
        m_shownElements.push_back(control);
    scheduleCovering();
}

void Container::removeWindowed(WindowedControl *control)
{
    if (const auto it = m_windowedPos.find(control); it != m_windowedPos.end()) {
        m_windowed.erase(it->second);
        m_windowedPos.erase(it);
    }
    std::erase(m_shownElements, control);
    scheduleCovering();
}

void Container::windowedVisibilityChanged(WindowedControl *control)
{
    if (control->index() < 0) {
        control->applyShown();
    } else if (!control->Visible()) {
        control->applyShown();
        updateCovering(true);
    } else {
        // Shown at once unless covered; what it covers is hidden once the handler has run,
        // so that an element shown and at once sent to the back (as a new one is) does not
        // hide and show again the one in front.
        updateCovering(false);
        scheduleCovering();
    }
}

void Container::windowedPlaceChanged(WindowedControl *control)
{
    // Handlers size every element one by one; covering is worked out once they are done.
    if (control->index() >= 0)
        scheduleCovering();
}

void Container::elementShownChanged(WindowedControl *element, bool shown)
{
    if (shown)
        m_shownElements.push_back(element);
    else
        std::erase(m_shownElements, element);
}

void Container::coverBehind(WindowedControl *front)
{
    // In front of all, the element is covered by none; of those behind it, only the shown
    // ones can become covered. The other elements are left alone, however many there are.
    front->setCovered(false);
    if (!front->Visible())
        return;
    const QRect place = front->pixelRect();
    const std::vector<WindowedControl *> shown = m_shownElements;
    for (WindowedControl *other : shown) {
        if (other != front && other->name() == front->name() && place.contains(other->pixelRect()))
            other->setCovered(true);
    }
}

void Container::updateCovering(bool hideCovered)
{
    // The places of each array's shown elements met so far, front to back. An element whose
    // place one of them holds whole is covered: the element in front that covers it is
    // shown itself, or covered in turn by a larger one that is.
    struct Family {
        const QString *name;
        QList<QRect> places;
    };
    std::vector<Family> families;
    families.reserve(4); // a window has few arrays
    for (auto it = m_windowed.rbegin(); it != m_windowed.rend(); ++it) {
        WindowedControl *control = *it;
        if (control->index() < 0)
            continue;
        auto family = std::ranges::find_if(
            families, [control](const Family &f) { return *f.name == control->name(); });
        if (family == families.end())
            family = families.insert(families.end(), {&control->name(), {}});
        QList<QRect> &places = family->places;
        const QRect place = control->pixelRect();
        const bool covered = std::ranges::any_of(
            places, [&place](const QRect &front) { return front.contains(place); });
        if (control->Visible() && !covered)
            places.append(place);
        if (hideCovered || !covered)
            control->setCovered(covered);
    }
}

void Container::scheduleCovering()
{
    if (std::exchange(m_coveringScheduled, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_coveringScheduled = false;
            updateCovering(true);
        },
        Qt::QueuedConnection);
}

void Container::repaintArea(const QRect &pixels)
{
    ++m_graphicalVersion;
    // Most of a long tab strip lies outside the window.
    if (pixels.intersects(rect()))
        update(pixels);
}

void Container::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
    // The walk over the layer also notes what a click would hit, as the user now sees it.
    m_targets.clear();
    for (GraphicalControl *control : m_graphical) {
        if (!control->Visible())
            continue;
        if (control->paintRect().intersects(dirty)) {
            painter.save();
            control->paint(painter);
            painter.restore();
        }
        if (control->takesClicks())
            m_targets.push_back({control->pixelRect(), control});
    }
    m_targetsVersion = m_graphicalVersion;
}

void Container::mousePressEvent(QMouseEvent *event)
{
    // Clicks never fall through to what lies beneath a container.
    event->accept();
    m_pressedAt = event->position().toPoint();
    m_pressedVersion = m_graphicalVersion;
    m_pressed = event->button() == Qt::LeftButton ? graphicalAt(m_pressedAt) : nullptr;
}

void Container::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    GraphicalControl *pressed = std::exchange(m_pressed, nullptr);
    if (!pressed || event->button() != Qt::LeftButton)
        return;
    // Released where it was pressed, with nothing changed in between: the same control is
    // under the pointer, and finding it again would walk the whole layer once more.
    const QPoint at = event->position().toPoint();
    if ((at == m_pressedAt && m_graphicalVersion == m_pressedVersion) || graphicalAt(at) == pressed)
        pressed->click();
}

void Container::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is not a new click.
    event->accept();
    m_pressed = nullptr;
}

} // namespace platform
