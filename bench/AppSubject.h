#pragma once

#include "PaintClock.h"
#include "Subject.h"
#include "window/LookupProgram.h"

// The program itself: its window with its browsers, set up as main() sets it up, driven
// through synthetic clicks.
class AppSubject : public Subject {
public:
    AppSubject(const QString &rootUrl, const QString &startPageUrl);

protected:
    QWebEnginePage *showWindow() override;
    QList<Load> lookUp(const QString &label, const QStringList &suffixes) override;
    QWebEngineView *frontView() override;
    int tabCount() const override;
    QList<QWebEnginePage *> pages() override;
    double medianMs(const QString &action, int repeats) override;

private:
    QWebEnginePage *page(platform::Index tab);
    void clickControl(platform::Control &control);

    LookupProgram m_program;
    FrmSearchControls &m_f;
    PaintClock m_clock;
};
