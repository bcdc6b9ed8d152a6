#pragma once

#include <QAccessibleInterface>

namespace platform {

class GraphicalControl;

// Stands for one painted control before assistive technology: its role and name, its place
// on the screen, whether it is shown and selected, and a press action for a control that
// takes clicks. It lives exactly as long as its control.
class GraphicalControlAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit GraphicalControlAccessible(GraphicalControl *control) : m_control(control) {}

    GraphicalControl *control() const { return m_control; }

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    GraphicalControl *m_control = nullptr;
};

} // namespace platform
