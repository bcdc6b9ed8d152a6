#pragma once

#include "platform/forms/WindowedControl.h"

#include <functional>

class QLineEdit;

namespace platform {

// A single-line text box with no length limit.
class TextBox : public WindowedControl {
public:
    TextBox(Container *container, QString name);

    QString Text() const;
    void setText(const QString &text);
    // Selects SelLength characters from SelStart.
    void setSelStart(int start);
    void setSelLength(int length);
    // Called once for each press of Enter in the box, however long the key is held.
    void setEnterHandler(std::function<void()> handler);

private:
    QLineEdit *edit() const;
};

} // namespace platform
