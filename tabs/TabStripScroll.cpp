#include "tabs/TabStripScroll.h"

#include "tabs/TabSelection.h"
#include "window/FrmSearchControls.h"

using platform::Index;

void TabStripScroll::imgLeft_Click()
{
    FrmSearchControls &f = m_form;
    const Index n = f.imgTab.Count();
    const float limit = f.imgLeft.Width() + f.imgLeft.Left() + f.imgLeft.Width() / 2;
    if (limit >= f.imgTab(n - 1).Left())
        return;
    shiftTabs(-1);
    m_selection.imgTab_Click(f.currentTab);
}

void TabStripScroll::imgRight_Click()
{
    FrmSearchControls &f = m_form;
    const float limit = f.imgLeft.Width() + f.imgLeft.Left() + 120;
    if (limit <= f.imgTab(0).Left())
        return;
    shiftTabs(+1);
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
