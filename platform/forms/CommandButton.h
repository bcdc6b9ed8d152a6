#pragma once

#include "platform/forms/WindowedControl.h"

#include <functional>

class QPushButton;

namespace platform {

// A push button. It is never a default button; while it has the focus, Enter and Space
// press it.
class CommandButton : public WindowedControl {
public:
    CommandButton(Container *container, QString name);

    QString Caption() const;
    void setCaption(const QString &caption);
    void setClickHandler(std::function<void()> handler);

private:
    QPushButton *button() const;
};

} // namespace platform
