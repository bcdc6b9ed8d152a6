#pragma once

#include <QObject>
#include <QWebEnginePage>

class QWebEngineLoadingInfo;

namespace platform {

// Freezes a page while its view is hidden, once it has loaded: its scripts and timers stop
// and its renderer keeps only its memory. Showing the view makes the page active again, as
// it was; it is never discarded, since a discarded page loads again when shown.
class PageFreezer : public QObject {
    Q_OBJECT

public:
    // Belongs to `page`.
    explicit PageFreezer(QWebEnginePage *page);

    // To be called before the program loads an address into the page. Loading makes a
    // frozen page active while it is still hidden and loaded, and the engine's advice to
    // freeze it, which comes later, must not stop the new load.
    void loadRequested();

private:
    void handleRecommendedState(QWebEnginePage::LifecycleState state);
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);

    QWebEnginePage *m_page = nullptr;
    bool m_loadRequested = false;
    bool m_loadStarted = false;
};

} // namespace platform
