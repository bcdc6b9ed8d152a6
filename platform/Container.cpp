#include "platform/Container.h"

#include "platform/GraphicalControl.h"
#include "platform/WindowedControl.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform {

Container::Container(QWidget *parent) : QWidget(parent) {}

Container::~Container() = default;

template <class T>
void Container::move(Layer<T> &layer, std::unordered_map<T *, typename Layer<T>::iterator> &where,
                     T *control, bool toFront)
{
    const auto it = where.at(control);
    layer.splice(toFront ? layer.end() : layer.begin(), layer, it);
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
        move(m_windowed, m_windowedPos, windowed, true);
        windowed->widget()->raise();
        Q_EMIT windowedLayerChanged();
    } else {
        auto *graphical = static_cast<GraphicalControl *>(control);
        move(m_graphical, m_graphicalPos, graphical, true);
        repaintArea(graphical->paintRect());
    }
}

void Container::sendToBack(Control *control)
{
    if (control->isWindowed()) {
        auto *windowed = static_cast<WindowedControl *>(control);
        move(m_windowed, m_windowedPos, windowed, false);
        windowed->widget()->lower();
        Q_EMIT windowedLayerChanged();
    } else {
        auto *graphical = static_cast<GraphicalControl *>(control);
        move(m_graphical, m_graphicalPos, graphical, false);
        repaintArea(graphical->paintRect());
    }
}

void Container::addGraphical(GraphicalControl *control)
{
    m_graphicalPos[control] = m_graphical.insert(m_graphical.end(), control);
}

void Container::removeGraphical(GraphicalControl *control)
{
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
}

void Container::removeWindowed(WindowedControl *control)
{
    if (const auto it = m_windowedPos.find(control); it != m_windowedPos.end()) {
        m_windowed.erase(it->second);
        m_windowedPos.erase(it);
    }
}

void Container::repaintArea(const QRect &pixels)
{
    if (!pixels.isEmpty())
        update(pixels);
}

void Container::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
    for (const GraphicalControl *control : m_graphical) {
        if (control->Visible() && control->paintRect().intersects(dirty)) {
            painter.save();
            control->paint(painter);
            painter.restore();
        }
    }
}

void Container::mousePressEvent(QMouseEvent *event)
{
    // Clicks never fall through to what lies beneath a container.
    event->accept();
    m_pressed =
        event->button() == Qt::LeftButton ? graphicalAt(event->position().toPoint()) : nullptr;
}

void Container::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    GraphicalControl *pressed = std::exchange(m_pressed, nullptr);
    if (pressed && event->button() == Qt::LeftButton &&
        graphicalAt(event->position().toPoint()) == pressed)
        pressed->click();
}

void Container::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is not a new click.
    event->accept();
    m_pressed = nullptr;
}

} // namespace platform
