#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>

class QElapsedTimer;
class QEventLoop;
class QWebEngineView;

// Notes when a view first paints the page it is being sent to: the moment its user sees the
// result.
//
// The engine hands each new frame of a page to a child widget of the view (replaced when the
// page moves to another renderer), which then paints; that paint is taken. Paints before the
// new page commits (when the view's address becomes the new one) still show the old page,
// which goes on painting until then; after the commit the engine keeps the old picture until
// the new page's first frame, so the next paint is the new page. Load progress and the end
// of the load say nothing about paints, and the page's own paint timing (a
// PerformanceObserver for 'paint') would need a script in every measured page, a clock
// mapped from the renderer's to ours, and would stop before the frame reaches the window.
class FirstPaintWatch : public QObject {
public:
    // Times are read on `clock`, which must outlive the watch.
    FirstPaintWatch(QWebEngineView *view, QUrl url, const QElapsedTimer &clock);

    // Waits up to `ms` for the paint; its time in nanoseconds on the clock, or -1.
    qint64 waitForPaint(int ms);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWebEngineView> m_view;
    QUrl m_url;
    const QElapsedTimer &m_clock;
    bool m_committed = false;
    qint64 m_paintedAt = -1;
    QEventLoop *m_loop = nullptr;
};
