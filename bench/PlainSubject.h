#pragma once

#include "Subject.h"

class QWebEngineView;

#include <QWidget>

// The baseline: plain web views with the engine's default settings, stacked in one window at
// the place and size of the program's browsers, each new one behind the others.
class PlainSubject : public Subject {
public:
    PlainSubject(const QString &rootUrl, QUrl startPageUrl);

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
    QWidget m_window;
    QList<QWebEngineView *> m_views;
};
