#pragma once

#include "PaintClock.h"
#include "Subject.h"
#include "window/LookupProgram.h"

// The program itself: its window with its browsers, set up as main() sets it up, driven
// through synthetic clicks.
class AppSubject : public Subject {
public:
    // The DNS hints ask `dns` (the benchmark's loopback resolver).
    AppSubject(const QString &rootUrl, const QString &startPageUrl,
               const platform::ResolverSetup &dns);

protected:
    QWebEnginePage *showWindow() override;
    QList<Load> lookUp(const QString &label, const QStringList &suffixes) override;
    QWebEngineView *frontView() override;
    int tabCount() const override;
    QList<QWebEnginePage *> pages() override;
    double medianMs(const QString &action, int repeats) override;
    bool hintsShown() override;
    bool setHints(bool on) override;

private:
    QWebEnginePage *page(platform::Index tab);
    void clickControl(platform::Control &control);

    LookupProgram m_program;
    FrmSearchControls &m_f;
    PaintClock m_clock;
    QList<platform::Index> m_lookupTabs; // the tabs the last lookup filled
    bool m_hints = true;
};
