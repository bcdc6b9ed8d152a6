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
    // As many clicks at once, as far as the same limits allow: on the left arrow for a
    // negative count, on the right one for a positive. The strip moves once, however far.
    void shiftBy(int clicks);

private:
    // Past these the arrows move nothing: the last tab's left edge, the first tab's.
    float lastTabLimit() const;
    float firstTabLimit() const;
    void shiftTabs(float direction);

    FrmSearchControls &m_form;
    TabSelection &m_selection;
};
