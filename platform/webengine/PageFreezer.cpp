#include "platform/webengine/PageFreezer.h"

#include <QWebEngineLoadingInfo>

namespace platform {

PageFreezer::PageFreezer(QWebEnginePage *page) : QObject(page), m_page(page)
{
    connect(page, &QWebEnginePage::recommendedStateChanged, this,
            &PageFreezer::handleRecommendedState);
    connect(page, &QWebEnginePage::loadingChanged, this, &PageFreezer::handleLoadingChanged);
}

void PageFreezer::loadRequested()
{
    m_loadRequested = true;
    m_loadStarted = false;
}

void PageFreezer::handleRecommendedState(QWebEnginePage::LifecycleState state)
{
    // The advice arrives late: check that it still holds.
    if (state == QWebEnginePage::LifecycleState::Frozen && !m_loadRequested &&
        !m_page->isVisible() && !m_page->isLoading() &&
        m_page->recommendedState() == QWebEnginePage::LifecycleState::Frozen)
        m_page->setLifecycleState(state);
}

void PageFreezer::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_loadStarted = m_loadRequested;
    } else if (m_loadStarted) {
        m_loadRequested = m_loadStarted = false;
        handleRecommendedState(m_page->recommendedState());
    }
}

} // namespace platform
