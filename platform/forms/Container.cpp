#include "platform/forms/Container.h"

#include "platform/forms/GraphicalControl.h"
#include "platform/forms/WindowedControl.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

// As a button with auto-repeat: the first repeat after this long, then one every interval.
constexpr int AutoRepeatDelay = 300;
constexpr int AutoRepeatInterval = 100;
// A wheel's notch, in eighths of a degree.
constexpr int WheelNotch = 120;

} // namespace

Container::Container(QWidget *parent) : QWidget(parent), m_covering(this, m_windowed) {}

Container::~Container() = default;

bool Container::moveWindowed(WindowedControl *control, bool toFront)
{
    const auto it = m_windowedPos.at(control);
    // Already there: nothing to raise.
    if (toFront ? std::next(it) == m_windowed.end() : it == m_windowed.begin())
        return false;
    m_windowed.splice(toFront ? m_windowed.end() : m_windowed.begin(), m_windowed, it);
    return true;
}

QStringList Container::graphicalOrder() const
{
    QStringList names;
    for (const GraphicalControl *control : graphicalControls())
        names << control->displayName();
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
    return m_painted.controls();
}

GraphicalControl *Container::graphicalAt(const QPoint &pixels) const
{
    if (m_shownVersion != m_graphicalVersion)
        return m_painted.at(pixels);
    for (auto it = m_shown.rbegin(); it != m_shown.rend(); ++it) {
        if (it->click.contains(pixels))
            return it->control;
    }
    return nullptr;
}

std::vector<WindowedControl *> Container::tabStops() const
{
    std::vector<WindowedControl *> stops;
    for (WindowedControl *control : windowedControls()) {
        stops.push_back(control);
        if (const auto *inner = qobject_cast<const Container *>(control->widget())) {
            const std::vector<WindowedControl *> innerStops = inner->tabStops();
            stops.insert(stops.end(), innerStops.begin(), innerStops.end());
        }
    }
    std::ranges::stable_sort(stops, {}, &WindowedControl::TabIndex);
    return stops;
}

bool Container::coversInFront(const WindowedControl *control) const
{
    const auto it = m_windowedPos.find(const_cast<WindowedControl *>(control));
    if (it == m_windowedPos.end())
        return false;
    const QRect place = control->pixelRect();
    return std::any_of(std::next(std::list<WindowedControl *>::const_iterator(it->second)),
                       m_windowed.cend(), [&place](WindowedControl *front) {
                           return front->m_shown && front->pixelRect().contains(place);
                       });
}

WindowedControl *Container::focusHolder() const
{
    const QWidget *focus = window()->focusWidget();
    if (!focus)
        return nullptr;
    // A frame holds the focus only through a control of its own.
    for (WindowedControl *control : tabStops()) {
        const QWidget *widget = control->widget();
        if (!qobject_cast<const Container *>(widget) &&
            (widget == focus || widget->isAncestorOf(focus)))
            return control;
    }
    return nullptr;
}

bool Container::focusNextPrevChild(bool next)
{
    if (!isWindow())
        return QWidget::focusNextPrevChild(next);
    // Qt's own focus chain puts a widget made later (a page view's inner widget, made on its
    // first load) last, wherever its control stands; the TabIndex order is the one users see.
    const std::vector<WindowedControl *> stops = tabStops();
    const auto count = std::ptrdiff_t(stops.size());
    const auto here = std::ranges::find(stops, focusHolder());
    std::ptrdiff_t at = here != stops.end() ? here - stops.begin() : next ? -1 : count;
    for (std::ptrdiff_t step = 0; step < count; ++step) {
        at = ((next ? at + 1 : at - 1) + count) % count;
        if (stops[std::size_t(at)]->takesFocus()) {
            stops[std::size_t(at)]->widget()->setFocus(next ? Qt::TabFocusReason
                                                            : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void Container::setWheelHandler(const QRectF &twips, std::function<void(int notches)> handler)
{
    m_wheelRegion = twips;
    m_wheelHandler = std::move(handler);
    m_wheelRest = 0;
}

void Container::setContextMenu(const QRectF &twips, std::vector<MenuItem> items)
{
    m_menuRegion = twips;
    m_menuItems = std::move(items);
}

void Container::setPicture(const QImage &picture)
{
    m_picture = picture;
    update(m_picture.rect());
}

void Container::reorder(Control *control, bool toFront)
{
    if (control->isWindowed()) {
        auto *windowed = static_cast<WindowedControl *>(control);
        if (!moveWindowed(windowed, toFront))
            return;
        ++m_windowedVersion;
        if (toFront)
            windowed->widget()->raise();
        else
            windowed->widget()->lower();
        if (windowed->index() < 0)
            return;
        if (toFront)
            m_covering.coverBehind(windowed);
        else
            m_covering.update(true);
    } else {
        // Already there: nothing to paint again.
        if (const auto *moved = m_painted.move(static_cast<GraphicalControl *>(control), toFront))
            repaintArea(moved->paint);
    }
}

void Container::addGraphical(GraphicalControl *control)
{
    m_painted.add(control);
    ++m_graphicalVersion;
}

void Container::removeGraphical(GraphicalControl *control)
{
    ++m_graphicalVersion;
    m_painted.remove(control);
    if (m_pressed == control)
        m_pressed = nullptr;
}

void Container::addWindowed(WindowedControl *control)
{
    ++m_windowedVersion;
    // A new child widget starts in front of its siblings, and so does its model entry.
    m_windowedPos[control] = m_windowed.insert(m_windowed.end(), control);
    m_covering.added(control);
}

void Container::removeWindowed(WindowedControl *control)
{
    ++m_windowedVersion;
    if (const auto it = m_windowedPos.find(control); it != m_windowedPos.end()) {
        m_windowed.erase(it->second);
        m_windowedPos.erase(it);
    }
    m_covering.removed(control);
}

void Container::windowedVisibilityChanged(WindowedControl *control)
{
    ++m_windowedVersion;
    if (control->index() < 0) {
        control->applyShown();
    } else if (!control->Visible()) {
        control->applyShown();
        m_covering.update(true);
    } else {
        // Shown at once unless covered; what it covers is hidden once the handler has run,
        // so that an element shown and at once sent to the back (as a new one is) does not
        // hide and show again the one in front.
        m_covering.update(false);
        m_covering.schedule();
    }
}

void Container::windowedShownChanged(WindowedControl *control, bool shown)
{
    ++m_windowedVersion;
    if (control->index() >= 0)
        m_covering.shownChanged(control, shown);
}

void Container::windowedPlaceChanged(WindowedControl *control)
{
    // Handlers size every element one by one; covering is worked out once they are done.
    if (control->index() >= 0)
        m_covering.schedule();
}

void Container::graphicalChanged(GraphicalControl *control)
{
    m_painted.changed(control);
    repaintArea(control->paintRect());
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
    // Most paints (a caret blinking in a text box, a page's view) follow no change to the
    // layer: they skip the walk over it, however many tabs the strip holds.
    if (m_shownVersion != m_graphicalVersion)
        noteShown();
    for (const PaintedLayer::Entry &shown : m_shown) {
        if (shown.paint.intersects(dirty)) {
            painter.save();
            shown.control->paint(painter);
            painter.restore();
        }
    }
}

void Container::noteShown()
{
    // Also what a click would hit, as the user will see it.
    m_shown = m_painted.inside(rect());
    m_shownVersion = m_graphicalVersion;
}

bool Container::event(QEvent *event)
{
    // What lies inside changes with the size.
    if (event->type() == QEvent::Resize)
        ++m_graphicalVersion;
    // Widgets that are no control (a view's own) count among the children too.
    if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)
        ++m_windowedVersion;
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    // A child widget without a tip of its own passes the event on; it lies above the pictures.
    const GraphicalControl *control = childAt(help->pos()) ? nullptr : graphicalAt(help->pos());
    // Plain text: a tip may hold what the user typed, which Qt would otherwise read as markup.
    if (control && !control->ToolTipText().isEmpty())
        QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(control->ToolTipText()),
                           this, control->pixelRect());
    else
        QToolTip::hideText();
    return true;
}

void Container::mousePressEvent(QMouseEvent *event)
{
    press(event, false);
}

void Container::mouseDoubleClickEvent(QMouseEvent *event)
{
    press(event, true);
}

void Container::press(QMouseEvent *event, bool second)
{
    // Clicks never fall through to what lies beneath a container.
    event->accept();
    m_repeat.stop();
    m_pressedAt = event->position().toPoint();
    m_pressedVersion = m_graphicalVersion;
    m_pressedSecond = second;
    GraphicalControl *control =
        event->button() == Qt::LeftButton ? graphicalAt(m_pressedAt) : nullptr;
    // The second press of a double-click is not a new click, unless the control takes it.
    m_pressed = control && (!second || control->hasDblClickHandler()) ? control : nullptr;
    m_pressedInside = m_pressed != nullptr;
    if (m_pressed && m_pressed->autoRepeat())
        m_repeat.start(AutoRepeatDelay, this);
}

void Container::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    // A held control repeats only while the pointer is on it, as a button does.
    if (m_pressed)
        m_pressedInside = graphicalAt(event->position().toPoint()) == m_pressed;
}

void Container::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_repeat.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (!m_pressed) {
        m_repeat.stop();
        return;
    }
    m_repeat.start(AutoRepeatInterval, this);
    if (m_pressedInside)
        m_pressed->click();
}

void Container::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    m_repeat.stop();
    GraphicalControl *pressed = std::exchange(m_pressed, nullptr);
    if (!pressed || event->button() != Qt::LeftButton)
        return;
    // Released where it was pressed, with nothing changed in between: the same control is
    // under the pointer, and finding it again would walk the whole layer once more.
    const QPoint at = event->position().toPoint();
    if ((at == m_pressedAt && m_graphicalVersion == m_pressedVersion) ||
        graphicalAt(at) == pressed) {
        if (m_pressedSecond)
            pressed->dblClick();
        else
            pressed->click();
    }
}

void Container::wheelEvent(QWheelEvent *event)
{
    // Turns never fall through to what lies beneath a container either.
    event->accept();
    const QPointF at = event->position();
    const QPoint angle = event->angleDelta();
    // Qt counts a turn up or left as positive.
    const int delta = -(std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : angle.x());
    if (!m_wheelHandler || delta == 0 || !m_wheelRegion.contains(at * qreal(TwipsPerPixel))) {
        return;
    }
    // A turn the other way starts afresh.
    if ((delta > 0) != (m_wheelRest > 0))
        m_wheelRest = 0;
    m_wheelRest += delta;
    const int notches = m_wheelRest / WheelNotch;
    m_wheelRest -= notches * WheelNotch;
    if (notches != 0)
        m_wheelHandler(notches);
}

void Container::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_menuItems.empty() ||
        !m_menuRegion.contains(QPointF(event->pos()) * qreal(TwipsPerPixel))) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    for (const MenuItem &item : m_menuItems)
        connect(menu.addAction(item.text), &QAction::triggered, this, item.action);
    menu.exec(event->globalPos());
}

} // namespace platform
