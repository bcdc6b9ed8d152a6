#include "platform/forms/Form.h"

#include <QEvent>
#include <QWindow>

#include <xcb/xcb.h>

namespace platform {

Form::Form(QWidget *parent) : Container(parent) {}

void Form::setClientSize(float widthTwips, float heightTwips)
{
    resize(toPixels(widthTwips), toPixels(heightTwips));
}

QSize Form::outerSize() const
{
    // QWidget::frameGeometry() takes up a new frame only with the next move or resize of
    // the client area; the window's own frame geometry asks the platform every time.
    if (const QWindow *window = windowHandle())
        return window->frameGeometry().size();
    return frameGeometry().size();
}

float Form::Width() const
{
    return toTwips(outerSize().width());
}

float Form::Height() const
{
    return toTwips(outerSize().height());
}

void Form::showEvent(QShowEvent *event)
{
    Container::showEvent(event);
    raiseResize();
}

void Form::resizeEvent(QResizeEvent *event)
{
    Container::resizeEvent(event);
    if (isVisible())
        raiseResize();
}

void Form::moveEvent(QMoveEvent *event)
{
    Container::moveEvent(event);
    checkOuterSize();
}

void Form::changeEvent(QEvent *event)
{
    Container::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible())
        raiseResize();
}

bool Form::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    // Under X11 the frame is known only once the window manager has framed the window, and
    // it may change later (decorations toggled, a new theme) with no resize of the client
    // area and no move. The window manager announces its frame in a property of this
    // window; Qt reads it afresh after such a property change or a configure notify, but
    // only after this hook has run, so the comparison waits for the event loop.
    if (eventType == "xcb_generic_event_t" && !m_outerSizeCheckQueued) {
        const auto type = static_cast<const xcb_generic_event_t *>(message)->response_type & 0x7f;
        if (type == XCB_PROPERTY_NOTIFY || type == XCB_CONFIGURE_NOTIFY) {
            m_outerSizeCheckQueued = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_outerSizeCheckQueued = false;
                    checkOuterSize();
                },
                Qt::QueuedConnection);
        }
    }
    return Container::nativeEvent(eventType, message, result);
}

void Form::checkOuterSize()
{
    if (isVisible() && outerSize() != m_lastOuterSize)
        raiseResize();
}

void Form::raiseResize()
{
    m_lastOuterSize = outerSize();
    if (m_resizeHandler)
        m_resizeHandler();
}

} // namespace platform
