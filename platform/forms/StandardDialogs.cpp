#include "platform/forms/StandardDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace platform {

QString StandardDialogs::InputBox(const QString &prompt, const QString &title)
{
    bool confirmed = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, QString(), &confirmed);
    return confirmed ? text : QString();
}

void StandardDialogs::MsgBox(const QString &prompt, const QString &title)
{
    QMessageBox::information(m_parent, title, prompt);
}

} // namespace platform
