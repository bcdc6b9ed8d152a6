#pragma once

#include "platform/forms/Twips.h"

class FrmSearchControls;

// Selecting a result tab: its page comes to the front, its tab is drawn as the current
// one, the strip's base lines meet its edges, and currentTab records it.
class TabSelection {
public:
    explicit TabSelection(FrmSearchControls &form) : m_form(form) {}

    // The window's one select-tab operation, also called by start-up and the arrows.
    void imgTab_Click(platform::Index index);
    void lbPreFix_Click(platform::Index index);

private:
    FrmSearchControls &m_form;
};
