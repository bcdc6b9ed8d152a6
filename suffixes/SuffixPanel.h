#pragma once

class FrmSearchControls;
namespace platform {
class Dialogs;
class ListBox;
} // namespace platform

// The setup panel: moving suffixes between the available list and the list in use,
// creating new ones, and showing and hiding the panel.
class SuffixPanel {
public:
    SuffixPanel(FrmSearchControls &form, platform::Dialogs &dialogs)
        : m_form(form), m_dialogs(dialogs)
    {
    }

    void cmdPreFixSetup_Click();
    void cmdDone_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdAddAll_Click();
    void cmdRemoveAll_Click();
    void cmdCreateNew_Click();

private:
    static void moveSelected(platform::ListBox &source, platform::ListBox &target);
    static void moveAll(platform::ListBox &source, platform::ListBox &target);

    FrmSearchControls &m_form;
    platform::Dialogs &m_dialogs;
};
