#pragma once

#include "PaintClock.h"
#include "Subject.h"
#include "window/FrmSearch.h"

#include "platform/BrowserProfile.h"

// The program itself: its window with its browsers, set up as main() sets it up, driven
// through synthetic clicks.
class AppSubject : public Subject {
public:
    AppSubject(const QString &rootUrl, const QString &startPageUrl);

protected:
    QWebEnginePage *showWindow() override;
    QList<Load> lookUp(const QString &label, const QStringList &suffixes) override;
    int tabCount() const override;
    QList<QWebEnginePage *> pages() override;
    double medianMs(const QString &action, int repeats) override;

private:
    QWebEnginePage *page(platform::Index tab);
    void clickControl(platform::Control &control);

    platform::BrowserProfile m_profile; // outlives the window's pages
    FrmSearch m_window;
    FrmSearchControls &m_f;
    PaintClock m_clock;
};
