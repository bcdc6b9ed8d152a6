#include "tabs/TabStripScroll.h"

#include "tabs/TabSelection.h"
#include "window/FrmSearchControls.h"

using platform::Index;

float TabStripScroll::lastTabLimit() const
{
    const FrmSearchControls &f = m_form;
    return f.imgLeft.Width() + f.imgLeft.Left() + f.imgLeft.Width() / 2;
}

float TabStripScroll::firstTabLimit() const
{
    const FrmSearchControls &f = m_form;
    return f.imgLeft.Width() + f.imgLeft.Left() + 120;
}

void TabStripScroll::imgLeft_Click()
{
    FrmSearchControls &f = m_form;
    const Index n = f.imgTab.Count();
    if (lastTabLimit() >= f.imgTab(n - 1).Left())
        return;
    shiftTabs(-1);
    m_selection.imgTab_Click(f.currentTab);
}

void TabStripScroll::imgRight_Click()
{
    FrmSearchControls &f = m_form;
    if (firstTabLimit() <= f.imgTab(0).Left())
        return;
    shiftTabs(+1);
    m_selection.imgTab_Click(f.currentTab);
}

void TabStripScroll::shiftBy(int clicks)
{
    FrmSearchControls &f = m_form;
    const Index n = f.imgTab.Count();
    // Where the end tabs would stand after each click, checked as each click checks them.
    float first = f.imgTab(0).Left();
    float last = f.imgTab(n - 1).Left();
    int made = 0;
    for (; made > clicks && lastTabLimit() < last; --made) {
        first -= f.imgTab(0).Width();
        last -= f.imgTab(n - 1).Width();
    }
    for (; made < clicks && firstTabLimit() > first; ++made) {
        first += f.imgTab(0).Width();
        last += f.imgTab(n - 1).Width();
    }
    if (made == 0)
        return;
    shiftTabs(float(made));
    m_selection.imgTab_Click(f.currentTab);
}

void TabStripScroll::shiftTabs(float direction)
{
    FrmSearchControls &f = m_form;
    // Captions move by their tab picture's width, not their own (15 twips narrower), so a
    // caption never drifts off its tab however far the strip is scrolled.
    const Index count = f.imgTab.Count();
    for (Index i = 0; i < count; ++i) {
        const float step = direction * f.imgTab(i).Width();
        f.imgTab(i).setLeft(f.imgTab(i).Left() + step);
        f.lbPreFix(i).setLeft(f.lbPreFix(i).Left() + step);
        f.imgCurrent(i).setLeft(f.imgCurrent(i).Left() + step);
    }
}
