#pragma once

#include "PaintClock.h"
#include "Subject.h"
#include "window/LookupProgram.h"

class QKeySequence;
class QShortcut;

// The program itself: its window with its browsers, set up as main() sets it up, driven
// through synthetic clicks.
class AppSubject : public Subject {
public:
    // The DNS hints ask `dns` (the benchmark's loopback resolver), the registry hints the
    // services that the file at `rdapBootstrap` lists (its loopback registries).
    AppSubject(const QString &rootUrl, const QString &startPageUrl,
               const platform::ResolverSetup &dns, const QUrl &rdapBootstrap);

protected:
    QWebEnginePage *showWindow() override;
    QList<Load> lookUp(const QString &label, const QStringList &suffixes) override;
    QWebEngineView *frontView() override;
    int tabCount() const override;
    QList<QWebEnginePage *> pages() override;
    double medianMs(const QString &action, int repeats) override;
    bool hintsShown() override;
    bool setHints(const QString &source, bool on) override;

private:
    QWebEnginePage *page(platform::Index tab);
    void clickControl(platform::Control &control);
    // The window's shortcut for `key`, as the keyboard reaches it.
    QShortcut *shortcut(const QKeySequence &key);

    LookupProgram m_program;
    FrmSearchControls &m_f;
    PaintClock m_clock;
    QList<platform::Index> m_lookupTabs; // the tabs the last lookup filled
};
