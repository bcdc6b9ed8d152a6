#pragma once

#include <QWebEngineView>

namespace platform {

// The view of every browser. Its context menu offers only Copy, Copy link address and
// Select all; a colour input in a page or an ad opens no dialog.
class BrowserView : public QWebEngineView {
    Q_OBJECT

public:
    explicit BrowserView(QWidget *parent = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void childEvent(QChildEvent *event) override;
};

} // namespace platform
