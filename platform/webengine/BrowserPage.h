#pragma once

#include <QList>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;

namespace platform {

// The page of every browser. Its main frame stays on the home origins, never goes back or
// forward, and shows a local home page (the start page) only when the program loads it. The
// link the user clicks in the main frame, when it leads elsewhere, goes to the desktop's web
// browser (http and https only): that address and no other, once, whether the page follows
// it or opens it in a new window. Sub-frames open nothing outside and load web content only.
// Permissions, file choosers and script dialogs are refused. The program's notices show a
// page's addresses as plain text and name the page they replace. When its renderer dies,
// the page shows a notice and loads its last address again as soon as it is visible, a few
// times at most.
class BrowserPage : public QWebEnginePage {
    Q_OBJECT

public:
    // Without home addresses, the main frame may go only where the program sends it.
    BrowserPage(QWebEngineProfile *profile, const QList<QUrl> &homeUrls, QObject *parent = nullptr);
    // Once for `profile`, before its first page: the script that notes the user's clicks on
    // links. It is the profile's, not a page's: a page's own scripts miss the documents that
    // a renderer of one process per site makes after its first.
    static void prepareProfile(QWebEngineProfile *profile);

    // Automatic reloads after renderer deaths, counted since the program last sent the
    // page to an address.
    static constexpr int kMaxRecoveries = 3;
    // A script world of the program's own: the page's scripts can neither see nor change
    // what runs there.
    static constexpr quint32 kProgramWorld = QWebEngineScript::UserWorld;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList &oldFiles,
                            const QStringList &acceptedMimeTypes) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg,
                          const QString &defaultValue, QString *result) override;

private:
    void handleNewWindowRequested(QWebEngineNewWindowRequest &request);
    void handleFeaturePermissionRequested(const QUrl &securityOrigin, Feature feature);
    void handleRenderProcessTerminated(RenderProcessTerminationStatus status, int exitCode);
    void handleVisibleChanged(bool visible);
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void handleUrlChanged(const QUrl &url);

    bool isHome(const QUrl &url) const;
    void openOutsideIfClicked(const QUrl &url);
    void showNotice(const QString &title, const QString &bodyHtml);
    void recover();

    QList<QUrl> m_homes;
    // The address the page shows, or is being sent to by the program, for loading it again.
    QUrl m_lastUrl;
    QUrl m_reloadAfterNotice;
    int m_recoveries = 0;
    bool m_rendererGone = false;
    // The next load the page itself starts is a notice, or a reload after a renderer death.
    bool m_noticeLoad = false;
    bool m_recoveryLoad = false;
    // The program's last load has not come in yet.
    bool m_programLoad = false;
};

} // namespace platform
