#include "platform/Frame.h"

#include "platform/Container.h"

namespace platform {

Frame::Frame(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new Container)
{
    panel()->setAutoFillBackground(true);
    panel()->setBackgroundRole(QPalette::Window);
}

Container *Frame::panel() const
{
    return static_cast<Container *>(widget());
}

} // namespace platform
