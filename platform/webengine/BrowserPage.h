#pragma once

#include "platform/webengine/LinkHandOff.h"

#include <QList>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>

class QWebEngineNewWindowRequest;

namespace platform {

class CrashRecovery;
class ProgramLoad;

// The page of every browser. Its main frame stays on the home origins, never goes back or
// forward, and shows a local home page (the start page) only when the program loads it. The
// link the user clicks in the main frame, when it leads elsewhere, is handed off
// (LinkHandOff), whether the page follows it or opens it in a new window. Sub-frames open
// nothing outside and load web content only. Permissions, file choosers and script dialogs
// are refused. The program's notices show a page's addresses as plain text and name the page
// they replace. When its renderer dies, the page recovers (CrashRecovery).
class BrowserPage : public QWebEnginePage {
    Q_OBJECT

public:
    // Without home addresses, the main frame may go only where the program sends it.
    BrowserPage(QWebEngineProfile *profile, const QList<QUrl> &homeUrls, QObject *parent = nullptr);

    // The program's own loads of the page go through here.
    ProgramLoad *programLoad() const { return m_programLoad; }
    // The program's notice in place of the page, `bodyHtml` under `title`.
    void showNotice(const QString &title, const QString &bodyHtml);
    // An address in a notice, as text that no page can style or turn into a link.
    static QString addressText(const QUrl &url);

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

    bool isHome(const QUrl &url) const;

    QList<QUrl> m_homes;
    LinkHandOff m_links{this};
    // Made before the recovery, which loads in answer to the page's loadingChanged.
    ProgramLoad *m_programLoad = nullptr;
    CrashRecovery *m_recovery = nullptr;
    // The next load the page itself starts is a notice.
    bool m_noticeLoad = false;
};

} // namespace platform
