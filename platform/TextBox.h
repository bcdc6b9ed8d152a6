#pragma once

#include "platform/WindowedControl.h"

#include <functional>

class QLineEdit;

namespace platform {

// A single-line text box with no length limit.
class TextBox : public WindowedControl {
public:
    TextBox(Container *container, QString name);

    QString Text() const;
    void setText(const QString &text);
    // Called when Enter is pressed in the box.
    void setEnterHandler(std::function<void()> handler);

private:
    QLineEdit *edit() const;
};

} // namespace platform
