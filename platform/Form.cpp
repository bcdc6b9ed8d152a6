#include "platform/Form.h"

#include <QEvent>

namespace platform {

Form::Form(QWidget *parent) : Container(parent) {}

void Form::setClientSize(float widthTwips, float heightTwips)
{
    resize(toPixels(widthTwips), toPixels(heightTwips));
}

float Form::Width() const
{
    return toTwips(frameGeometry().width());
}

float Form::Height() const
{
    return toTwips(frameGeometry().height());
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
    // Under X11 the frame is known only once the window manager has framed the window,
    // and that need not come with a resize of the client area.
    if (isVisible() && frameGeometry().size() != m_lastOuterSize)
        raiseResize();
}

void Form::changeEvent(QEvent *event)
{
    Container::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible())
        raiseResize();
}

void Form::raiseResize()
{
    m_lastOuterSize = frameGeometry().size();
    if (m_resizeHandler)
        m_resizeHandler();
}

} // namespace platform
