#include "platform/forms/CommandButton.h"

#include "platform/forms/HeldKey.h"

#include <QPushButton>

namespace platform {

namespace {

// Outside a dialog a QPushButton ignores Enter; a focused button here takes it like Space.
// Either presses the button once for each press the user makes, however long it is held.
class EnterPressableButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

} // namespace

CommandButton::CommandButton(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new EnterPressableButton)
{
    new HeldKey(button(), {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space});
    button()->setAutoDefault(false);
    button()->setDefault(false);
}

QPushButton *CommandButton::button() const
{
    return static_cast<QPushButton *>(widget());
}

QString CommandButton::Caption() const
{
    return button()->text();
}

void CommandButton::setCaption(const QString &caption)
{
    button()->setText(caption);
}

void CommandButton::setClickHandler(std::function<void()> handler)
{
    QObject::connect(button(), &QPushButton::clicked, button(), std::move(handler));
}

} // namespace platform
