#pragma once

#include <QString>

namespace platform {

// The modal dialogs the window may open; tests replace them with scripted answers.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The typed text on confirm, "" on cancel.
    virtual QString InputBox(const QString &prompt, const QString &title) = 0;
    virtual void MsgBox(const QString &prompt, const QString &title) = 0;
};

} // namespace platform
