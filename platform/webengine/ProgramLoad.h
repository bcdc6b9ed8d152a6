#pragma once

#include <QObject>

class QUrl;
class QWebEngineLoadingInfo;
class QWebEnginePage;

namespace platform {

// The program's own load of a page: an address the program sent the page to, from that call
// until the engine reports the end of the load, whether it succeeded or not. The page's
// freezer, its renderer watchdog and its crash recovery all ask this one object.
class ProgramLoad : public QObject {
    Q_OBJECT

public:
    // Belongs to `page`. To be made before anything that loads in answer to the page's
    // loadingChanged, so that it hears each end of a load before a new load starts.
    explicit ProgramLoad(QWebEnginePage *page);

    // Sends the page to `url` as the program's own load.
    void start(const QUrl &url);
    // A load the program started has not ended yet.
    bool pending() const { return m_pending; }

Q_SIGNALS:
    void pendingChanged(bool pending);

private:
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void setPending(bool pending);

    QWebEnginePage *m_page = nullptr;
    bool m_pending = false;
    // The engine has reported the start of the load whose end is the program's: one start and
    // one end for loads that follow one another without a pause.
    bool m_started = false;
};

} // namespace platform
