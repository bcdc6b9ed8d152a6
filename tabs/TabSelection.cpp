#include "tabs/TabSelection.h"

#include "window/FrmSearchControls.h"

using platform::Index;

void TabSelection::imgTab_Click(Index index)
{
    FrmSearchControls &f = m_form;
    const Index count = f.imgTab.Count();
    for (Index i = 0; i < count; ++i) {
        f.imgTab(i).ZOrder(0);
        f.lbPreFix(i).ZOrder(0);
    }
    // Behind its own selected-look picture, which therefore shows.
    f.imgTab(index).ZOrder(1);
    f.lineRight.setX1(f.imgTab(index).Width() + f.imgTab(index).Left());
    f.lineLeft.setX1(f.imgTab(index).Left());
    f.browserLookup(index).ZOrder(0);
    f.imgLeft.ZOrder(0);
    f.imgRight.ZOrder(0);
    f.currentTab = index;
    // Assistive technology announces the tab that is now selected.
    for (Index i = 0; i < count; ++i)
        f.imgTab(i).setAccessibleSelected(i == index);
}

void TabSelection::lbPreFix_Click(Index index)
{
    imgTab_Click(index);
}
