#pragma once

#include "platform/forms/Container.h"
#include "platform/forms/Twips.h"

#include <functional>

namespace platform {

// The top-level window. Its Width and Height are the outer size, frame and title bar
// included, in twips. The resize handler runs when the window is first shown and after
// every change of its size or state, and again whenever the window manager's frame
// changes the outer size without resizing the client area.
class Form : public Container {
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }
    void setClientSize(float widthTwips, float heightTwips);

    float Width() const;
    float Height() const;

    void setResizeHandler(std::function<void()> handler) { m_resizeHandler = std::move(handler); }

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QSize outerSize() const;
    void raiseResize();
    void checkOuterSize();

    std::function<void()> m_resizeHandler;
    QSize m_lastOuterSize;
    bool m_outerSizeCheckQueued = false;
};

} // namespace platform
