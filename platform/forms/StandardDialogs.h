#pragma once

#include "platform/forms/Dialogs.h"

class QWidget;

namespace platform {

// Qt's own input and message dialogs, modal to a parent window.
class StandardDialogs : public Dialogs {
public:
    explicit StandardDialogs(QWidget *parent) : m_parent(parent) {}

    QString InputBox(const QString &prompt, const QString &title) override;
    void MsgBox(const QString &prompt, const QString &title) override;

private:
    QWidget *m_parent = nullptr;
};

} // namespace platform
