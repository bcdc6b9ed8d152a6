#pragma once

#include <QObject>
#include <QPointer>

class QWebEngineView;

namespace platform {

// Tells when a view first paints the page it is being sent to: the moment its user sees it.
//
// The engine hands each new frame of a page to a child widget of the view (replaced when the
// page moves to another renderer), which then paints; that paint is taken. Paints before the
// new page commits still show the old page, which goes on painting until then; the new page
// has replaced it once the address changes, or, for an address loaded again (which changes
// nothing), once the load ends. After the commit the engine keeps the old picture until the
// new page's first frame, so the next paint is the new page. Load progress says nothing about
// paints, and the page's own paint timing would need a script in every page.
class FirstPaintWatch : public QObject {
    Q_OBJECT

public:
    // Watches from now on, for a load sent after this is made.
    explicit FirstPaintWatch(QWebEngineView *view, QObject *parent = nullptr);
    ~FirstPaintWatch() override;

Q_SIGNALS:
    // Once, while the paint goes through the watch: a receiver that would delete the watch or
    // change the view's children must queue that.
    void firstPaint();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWebEngineView> m_view;
    bool m_committed = false;
    bool m_painted = false;
};

} // namespace platform
