#pragma once

#include <QObject>
#include <QWebEnginePage>

namespace platform {

class ProgramLoad;

// Freezes a page while its view is hidden, once it has loaded: its scripts and timers stop
// and its renderer keeps only its memory. Showing the view makes the page active again, as
// it was; it is never discarded, since a discarded page loads again when shown.
class PageFreezer : public QObject {
    Q_OBJECT

public:
    // Belongs to `page`; `load` is the program's own load of it. Loading makes a frozen page
    // active while it is still hidden and loaded, and the engine's advice to freeze it, which
    // comes later, must not stop the program's new load.
    PageFreezer(QWebEnginePage *page, const ProgramLoad *load);

private:
    void handleRecommendedState(QWebEnginePage::LifecycleState state);

    QWebEnginePage *m_page = nullptr;
    const ProgramLoad *m_load = nullptr;
};

} // namespace platform
