#include "platform/TextBox.h"

#include <QLineEdit>

#include <limits>

namespace platform {

TextBox::TextBox(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new QLineEdit)
{
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

void TextBox::setEnterHandler(std::function<void()> handler)
{
    QObject::connect(edit(), &QLineEdit::returnPressed, edit(), std::move(handler));
}

} // namespace platform
