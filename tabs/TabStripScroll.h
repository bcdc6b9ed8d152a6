#pragma once

class FrmSearchControls;
class TabSelection;

// The two arrows shift the whole tab strip one tab width at a time, within limits measured
// from the left arrow, and keep the selected tab selected.
class TabStripScroll {
public:
    TabStripScroll(FrmSearchControls &form, TabSelection &selection)
        : m_form(form), m_selection(selection)
    {
    }

    void imgLeft_Click();
    void imgRight_Click();

private:
    void shiftTabs(float direction);

    FrmSearchControls &m_form;
    TabSelection &m_selection;
};
