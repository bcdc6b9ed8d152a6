#pragma once

#include <QWebEngineView>

namespace platform {

// The view of every browser. Its context menu offers only Copy, Copy link address and
// Select all; a colour input in a page or an ad opens no dialog. A page's title attribute,
// which the engine makes the view's tooltip, shows as plain text of a few short lines, none
// wider than the screen.
class BrowserView : public QWebEngineView {
    Q_OBJECT

public:
    explicit BrowserView(QWidget *parent = nullptr);

    static constexpr int kTipLines = 10;
    static constexpr int kTipLineLength = 100;

protected:
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    QString m_tip;
};

} // namespace platform
