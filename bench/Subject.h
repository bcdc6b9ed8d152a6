#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QSocketNotifier;
class QWebEnginePage;
class QWebEngineView;

// One side of a benchmark run, in a process of its own: a window with web pages. Once its
// start page has loaded it writes "ready"; then it obeys one command a line from stdin and
// answers each with one line on stdout:
//   lookup <label> <suffixes>  look one name up     -> "loaded ms=<ms> tabs=<n> failed=<n>
//                                                       first=<ms> hints=<ms>"
//   hints dns|registry on|off  a source of hints     -> "switched hints=1|0" or "unsupported"
//   grow <tabs>                look up until <tabs>  -> the same
//   select|arrow|resize|walk|alt9 <n>
//                              n timed actions       -> "median ms=<ms>" or "unsupported"
//   pages                      what the pages do     -> "shown=<n> active=<n> frozen=<n> ..."
//   quit
class Subject : public QObject {
    Q_OBJECT

public:
    explicit Subject(QString rootUrl, QObject *parent = nullptr);

    void start();

protected:
    struct Load {
        QPointer<QWebEnginePage> page;
        QUrl url;
    };

    // Shows the window and loads the start page into its one page.
    virtual QWebEnginePage *showWindow() = 0;
    // Looks `label` up under `suffixes` the way this side does it, calling pressed() as it
    // starts; returns the loads begun.
    virtual QList<Load> lookUp(const QString &label, const QStringList &suffixes) = 0;
    // The view in front that the next lookup sends to its first suffix.
    virtual QWebEngineView *frontView() = 0;
    virtual int tabCount() const = 0;
    virtual QList<QWebEnginePage *> pages() = 0;
    // Median milliseconds per action, or a negative number when this side has no such action.
    virtual double medianMs(const QString &action, int repeats);
    // Whether every tab of the last lookup shows its hints, DNS and the registry's (true for
    // a side without them), and turning a source ("dns", "registry") on or off; false when
    // this side has no such source.
    virtual bool hintsShown() { return true; }
    virtual bool setHints(const QString &, bool) { return false; }

    QUrl address(const QString &label, const QString &suffix) const;
    // The moment the user would press "Look up".
    void pressed() { m_pressedAt = m_clock.nsecsElapsed(); }

private:
    void handleCommand();
    QString runCommand(const QStringList &words);
    QString pageStates();
    QString timedLookUp(const QString &label, int suffixes, int untilTabs);
    int waitForLoads(const QList<Load> &loads);

    QString m_rootUrl;
    QElapsedTimer m_clock;
    qint64 m_pressedAt = 0;
    QSocketNotifier *m_stdin = nullptr;
    QByteArray m_input;
};
