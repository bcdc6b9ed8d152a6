#pragma once

class QUrl;
class QWebEnginePage;
class QWebEngineProfile;

namespace platform {

// Hands the link the user clicks in a page's main frame to the desktop's web browser (http
// and https only): that address and no other, once, within the few seconds the engine itself
// allows a popup. A script in the program's own world notes the clicks that only the user can
// make; clicks inside sub-frames never reach it.
class LinkHandOff {
public:
    // Once for `profile`, before its first page: the script that notes the user's clicks on
    // links. It is the profile's, not a page's: a page's own scripts miss the documents that
    // a renderer of one process per site makes after its first.
    static void prepareProfile(QWebEngineProfile *profile);

    explicit LinkHandOff(QWebEnginePage *page);

    // Opens `url` in the desktop's web browser if it is a link the user just clicked.
    void openIfClicked(const QUrl &url) const;

private:
    QWebEnginePage *m_page = nullptr;
};

} // namespace platform
