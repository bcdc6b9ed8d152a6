#pragma once

#include "platform/forms/WindowedControl.h"

#include <QPointer>

namespace platform {

class Container;

// A panel that holds controls of its own, in their own two layers. It is opaque, clips its
// controls to itself and keeps every click; hiding it hides everything in it. Shown over the
// control with the focus, it takes the focus in; hidden, it gives the focus back.
class Frame : public WindowedControl {
public:
    Frame(Container *container, QString name);

    const QString &Caption() const { return m_caption; }
    // Kept for the model; the panel draws no border or caption.
    void setCaption(const QString &caption) { m_caption = caption; }
    Container *panel() const;

protected:
    void visibilityChanged() override;

private:
    QString m_caption;
    QPointer<QWidget> m_focusBefore;
};

} // namespace platform
