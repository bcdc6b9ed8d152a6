#pragma once

#include "platform/forms/Control.h"

#include <QPointer>
#include <QWidget>

namespace platform {

// A control that is a real widget of its container, always above the graphical layer.
// The control owns its widget.
class WindowedControl : public Control {
public:
    ~WindowedControl() override;

    bool isWindowed() const final { return true; }
    QWidget *widget() const { return m_widget; }

    // Keyboard focus order among the window's controls.
    int TabIndex() const { return m_tabIndex; }
    void setTabIndex(int tabIndex) { m_tabIndex = tabIndex; }
    void setFont(const QFont &font);

    // True while an element of the same array in front of it covers it whole, so that its
    // widget is hidden whatever Visible says.
    bool isCovered() const { return m_covered; }

    // Whether the keyboard focus can come here now: the control is shown, enabled, takes the
    // focus by Tab, and no shown windowed control in front of it covers it whole.
    bool takesFocus() const;
    void SetFocus();

protected:
    WindowedControl(Container *container, QString name, Index index, bool visible, QWidget *widget);
    void copyFrom(const WindowedControl &other);
    void geometryChanged(const QRect &oldPixels) override;
    void visibilityChanged() override;

private:
    friend class Container;
    friend class ElementCovering;
    void setCovered(bool covered);
    // Shows the widget when the control is Visible and not covered, hides it otherwise.
    void applyShown();

    QPointer<QWidget> m_widget;
    int m_tabIndex = 0;
    bool m_covered = false;
    bool m_shown = false; // as last set on the widget
    bool m_placePending = false;
};

} // namespace platform
