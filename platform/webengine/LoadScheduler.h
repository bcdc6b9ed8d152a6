#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QWebEngineView;

namespace platform {

class FirstPaintWatch;

// Gives the page in front the renderer to itself until it shows something. While a shown
// view loads, a load sent to a hidden view waits until the shown view paints its new page or
// kBoundMs pass, whichever comes first, so that nothing waits for a page that never comes. A
// waiting view that is shown meanwhile starts its load at once and is then the one awaited.
// Each load asked for starts once; a later one for the same view replaces one still waiting.
class LoadScheduler : public QObject {
    Q_OBJECT

public:
    static constexpr int kBoundMs = 400;
    // For tests: the bound of waits that begin afterwards.
    static void setBoundMs(int ms);

    explicit LoadScheduler(QObject *parent = nullptr);
    ~LoadScheduler() override;

    // Runs `start` now, or later for a hidden `view` while a shown view is loading. `start`
    // is dropped with the view.
    void requestLoad(QWebEngineView *view, std::function<void()> start);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Waiting {
        QPointer<QWebEngineView> view;
        std::function<void()> start;
    };

    void lead(QWebEngineView *view);
    void endLead();
    void startWaiting();
    void startShown(QObject *view);
    // Soon ends the lead of `ending` if it still leads, then starts the waiting loads if no
    // view leads.
    void scheduleStart(QWebEngineView *ending);

    std::vector<Waiting> m_waiting; // in the order asked
    // The shown view whose new page is awaited.
    QPointer<QWebEngineView> m_front;
    std::unique_ptr<FirstPaintWatch> m_frontPaint;
    QTimer m_bound;
    static int s_boundMs;
};

} // namespace platform
