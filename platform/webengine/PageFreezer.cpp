#include "platform/webengine/PageFreezer.h"

#include "platform/webengine/ProgramLoad.h"

namespace platform {

PageFreezer::PageFreezer(QWebEnginePage *page, const ProgramLoad *load)
    : QObject(page), m_page(page), m_load(load)
{
    connect(page, &QWebEnginePage::recommendedStateChanged, this,
            &PageFreezer::handleRecommendedState);
    connect(load, &ProgramLoad::pendingChanged, this, [this](bool pending) {
        if (!pending)
            handleRecommendedState(m_page->recommendedState());
    });
}

void PageFreezer::handleRecommendedState(QWebEnginePage::LifecycleState state)
{
    // The advice arrives late: check that it still holds.
    if (state == QWebEnginePage::LifecycleState::Frozen && !m_load->pending() &&
        !m_page->isVisible() && !m_page->isLoading() &&
        m_page->recommendedState() == QWebEnginePage::LifecycleState::Frozen)
        m_page->setLifecycleState(state);
}

} // namespace platform
