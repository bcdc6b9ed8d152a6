#pragma once

#include "platform/WindowedControl.h"

namespace platform {

class Container;

// A panel that holds controls of its own, in their own two layers. It is opaque, clips its
// controls to itself and keeps every click; hiding it hides everything in it.
class Frame : public WindowedControl {
public:
    Frame(Container *container, QString name);

    const QString &Caption() const { return m_caption; }
    // Kept for the model; the panel draws no border or caption.
    void setCaption(const QString &caption) { m_caption = caption; }
    Container *panel() const;

private:
    QString m_caption;
};

} // namespace platform
