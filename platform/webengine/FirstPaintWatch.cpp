#include "platform/webengine/FirstPaintWatch.h"

#include <QChildEvent>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace platform {

FirstPaintWatch::FirstPaintWatch(QWebEngineView *view, QObject *parent)
    : QObject(parent), m_view(view)
{
    view->installEventFilter(this);
    for (QWidget *child : view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    QWebEnginePage *page = view->page();
    connect(page, &QWebEnginePage::urlChanged, this, [this] { m_committed = true; });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
            m_committed = true;
    });
}

FirstPaintWatch::~FirstPaintWatch()
{
    if (!m_view)
        return;
    m_view->removeEventFilter(this);
    for (QWidget *child : m_view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->removeEventFilter(this);
}

bool FirstPaintWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::Paint && watched->parent() == m_view && m_committed &&
               !m_painted) {
        m_painted = true;
        Q_EMIT firstPaint();
    }
    return false;
}

} // namespace platform
