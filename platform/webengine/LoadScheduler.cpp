#include "platform/webengine/LoadScheduler.h"

#include "platform/webengine/FirstPaintWatch.h"

#include <QEvent>
#include <QWebEngineView>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

bool isShown(const QWidget *view)
{
    // Counted as shown also before the window is: that is where the user will look first.
    return view->isVisibleTo(view->window());
}

} // namespace

int LoadScheduler::s_boundMs = kBoundMs;

void LoadScheduler::setBoundMs(int ms)
{
    s_boundMs = ms;
}

LoadScheduler::LoadScheduler(QObject *parent) : QObject(parent)
{
    m_bound.setSingleShot(true);
    connect(&m_bound, &QTimer::timeout, this, [this] {
        endLead();
        startWaiting();
    });
}

LoadScheduler::~LoadScheduler() = default;

void LoadScheduler::requestLoad(QWebEngineView *view, std::function<void()> start)
{
    const auto it = std::ranges::find_if(
        m_waiting, [view](const Waiting &waiting) { return waiting.view == view; });
    if (isShown(view)) {
        if (it != m_waiting.end())
            m_waiting.erase(it);
        start();
        lead(view);
        return;
    }
    if (it != m_waiting.end()) {
        it->start = std::move(start);
    } else {
        m_waiting.push_back({view, std::move(start)});
        view->installEventFilter(this);
    }
    // A shown view sent to its page by the same handler, after this one, still leads.
    if (!m_front)
        scheduleStart(nullptr);
}

void LoadScheduler::lead(QWebEngineView *view)
{
    endLead();
    m_front = view;
    view->installEventFilter(this);
    m_frontPaint = std::make_unique<FirstPaintWatch>(view);
    connect(m_frontPaint.get(), &FirstPaintWatch::firstPaint, this,
            [this] { scheduleStart(m_front); });
    m_bound.start(s_boundMs);
}

void LoadScheduler::endLead()
{
    m_bound.stop();
    m_frontPaint.reset();
    if (QWebEngineView *front = std::exchange(m_front, nullptr))
        front->removeEventFilter(this);
}

bool LoadScheduler::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Hide:
        // The user turned to a page that has loaded: nothing to wait for. (A waiting page
        // shown instead has taken the lead already: it is shown before the other is hidden.)
        if (watched == m_front)
            scheduleStart(m_front);
        break;
    case QEvent::Show:
        QMetaObject::invokeMethod(
            this, [this, view = QPointer<QObject>(watched)] { startShown(view); },
            Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false;
}

void LoadScheduler::startShown(QObject *view)
{
    if (!view)
        return;
    const auto it = std::ranges::find_if(
        m_waiting, [view](const Waiting &waiting) { return waiting.view.data() == view; });
    if (it == m_waiting.end())
        return;
    QWebEngineView *shown = it->view;
    const std::function<void()> start = std::move(it->start);
    m_waiting.erase(it);
    start();
    lead(shown);
}

void LoadScheduler::startWaiting()
{
    for (const Waiting &waiting : std::exchange(m_waiting, {})) {
        if (!waiting.view)
            continue;
        if (waiting.view != m_front)
            waiting.view->removeEventFilter(this);
        waiting.start();
    }
}

void LoadScheduler::scheduleStart(QWebEngineView *ending)
{
    // Never while an event goes through the views' filters, which must stay as they are
    // until it has; and the paint that ends the wait finishes first.
    QMetaObject::invokeMethod(
        this,
        [this, ending = QPointer<QWebEngineView>(ending)] {
            if (ending && ending == m_front)
                endLead();
            if (!m_front)
                startWaiting();
        },
        Qt::QueuedConnection);
}

} // namespace platform
