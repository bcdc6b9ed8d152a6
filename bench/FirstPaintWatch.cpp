#include "FirstPaintWatch.h"

#include <QChildEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

FirstPaintWatch::FirstPaintWatch(QWebEngineView *view, QUrl url, const QElapsedTimer &clock)
    : m_view(view), m_url(std::move(url)), m_clock(clock)
{
    view->installEventFilter(this);
    for (QWidget *child : view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    connect(view->page(), &QWebEnginePage::urlChanged, this,
            [this](const QUrl &url) { m_committed = m_committed || url == m_url; });
}

qint64 FirstPaintWatch::waitForPaint(int ms)
{
    if (m_paintedAt < 0) {
        QEventLoop loop;
        m_loop = &loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
    }
    return m_paintedAt;
}

bool FirstPaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::Paint && watched->parent() == m_view && m_committed &&
               m_paintedAt < 0) {
        m_paintedAt = m_clock.nsecsElapsed();
        if (m_loop)
            m_loop->quit();
    }
    return false;
}
