#pragma once

#include <QObject>
#include <QUrl>

class QWebEngineLoadingInfo;

namespace platform {

class BrowserPage;
class ProgramLoad;

// Brings a page back after its renderer died: the page shows a notice, which names the page
// it replaces, and loads its last address again behind it as soon as it is visible, a few
// times at most; then the notice stays and offers to load the page again.
class CrashRecovery : public QObject {
    Q_OBJECT

public:
    // Automatic reloads after renderer deaths, counted since the program last sent the
    // page to an address.
    static constexpr int kMaxRecoveries = 3;

    // Belongs to `page`; loads it again as the program's own `load`.
    CrashRecovery(BrowserPage *page, ProgramLoad *load);

    // The address the page shows, or is being sent to by the program.
    const QUrl &lastUrl() const { return m_lastUrl; }
    // To be told of every address the program sends the page to, as the page takes it
    // (`taken`) or refuses it: except for a reload of its own, the page has its whole
    // allowance again.
    void programSends(const QUrl &url, bool taken);

private:
    void handleRenderProcessTerminated();
    void handleVisibleChanged(bool visible);
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void handleUrlChanged(const QUrl &url);
    void recover();

    BrowserPage *m_page = nullptr;
    ProgramLoad *m_load = nullptr;
    QUrl m_lastUrl;
    // Loaded once the notice is up.
    QUrl m_reloadAfterNotice;
    int m_recoveries = 0;
    bool m_rendererGone = false;
    // The program's next load is a reload of ours.
    bool m_reloading = false;
};

} // namespace platform
