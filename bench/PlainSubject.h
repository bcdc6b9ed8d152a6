#pragma once

#include "Subject.h"

#include <QWidget>

#include <memory>

class QWebEngineProfile;
class QWebEngineView;

namespace platform {
class LoadScheduler;
}

// The baseline: plain web views with the engine's default settings, stacked in one window at
// the place and size of the program's browsers, each new one behind the others. With one of
// the program's additions to its pages, to measure what that addition costs on its own:
// "tracker" (the click-tracker script), "watchdog" (the hung-renderer round trips),
// "scheduler" (loads through the load scheduler and its paint watch), "profile" (the
// program's profile and settings). Engine switches are the command line's. "floor" is the
// least a covered tab can cost while it keeps its page: the program's process and engine
// set-up, and every view but the first hidden and frozen once loaded, as the program does
// with covered tabs, without any of its other additions.
class PlainSubject : public Subject {
public:
    PlainSubject(const QString &rootUrl, QUrl startPageUrl, QString addition = {});
    ~PlainSubject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    QWebEnginePage *showWindow() override;
    QList<Load> lookUp(const QString &label, const QStringList &suffixes) override;
    QWebEngineView *frontView() override { return m_views.first(); }
    int tabCount() const override { return int(m_views.size()); }
    QList<QWebEnginePage *> pages() override;

private:
    QWebEngineView *addView();

    QUrl m_startPageUrl;
    QString m_addition;
    std::unique_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<platform::LoadScheduler> m_loads;
    QWidget m_window;
    QList<QWebEngineView *> m_views;
};
