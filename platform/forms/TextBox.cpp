#include "platform/forms/TextBox.h"

#include "platform/forms/HeldKey.h"

#include <QLineEdit>

#include <limits>

namespace platform {

TextBox::TextBox(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new QLineEdit)
{
    // Enter acts once for each press the user makes, not for the repeats of a held key.
    new HeldKey(edit(), {Qt::Key_Return, Qt::Key_Enter});
    edit()->setMaxLength(std::numeric_limits<int>::max());
}

QLineEdit *TextBox::edit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString TextBox::Text() const
{
    return edit()->text();
}

void TextBox::setText(const QString &text)
{
    edit()->setText(text);
}

void TextBox::setSelStart(int start)
{
    edit()->setCursorPosition(start);
}

void TextBox::setSelLength(int length)
{
    const int start =
        edit()->hasSelectedText() ? edit()->selectionStart() : edit()->cursorPosition();
    edit()->setSelection(start, length);
}

void TextBox::setEnterHandler(std::function<void()> handler)
{
    QObject::connect(edit(), &QLineEdit::returnPressed, edit(), std::move(handler));
}

} // namespace platform
