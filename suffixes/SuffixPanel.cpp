#include "suffixes/SuffixPanel.h"

#include "platform/forms/Dialogs.h"
#include "window/FrmSearchControls.h"

using platform::Index;
using platform::ListBox;

void SuffixPanel::cmdPreFixSetup_Click()
{
    m_form.fraSetup.ZOrder(0);
    m_form.fraSetup.setVisible(true);
}

void SuffixPanel::cmdDone_Click()
{
    m_form.fraSetup.setVisible(false);
}

void SuffixPanel::cmdAdd_Click()
{
    moveSelected(m_form.lstPreFix, m_form.lstPreFixUse);
}

void SuffixPanel::cmdRemove_Click()
{
    moveSelected(m_form.lstPreFixUse, m_form.lstPreFix);
}

void SuffixPanel::cmdAddAll_Click()
{
    moveAll(m_form.lstPreFix, m_form.lstPreFixUse);
}

void SuffixPanel::cmdRemoveAll_Click()
{
    moveAll(m_form.lstPreFixUse, m_form.lstPreFix);
}

void SuffixPanel::cmdCreateNew_Click()
{
    const QString prefix = m_dialogs.InputBox(QStringLiteral("What is the new prefix?"),
                                              QStringLiteral("Create New Prefix"));
    if (prefix.isEmpty())
        return;
    m_form.lstPreFix.AddItem(prefix);
}

void SuffixPanel::moveSelected(ListBox &source, ListBox &target)
{
    if (source.Text().isEmpty())
        return;
    // A full target refuses the entry; it then stays where it is rather than being lost.
    if (!target.AddItem(source.Text()))
        return;
    source.RemoveItem(source.ListIndex());
}

void SuffixPanel::moveAll(ListBox &source, ListBox &target)
{
    if (!(source.ListCount() > 0))
        return;
    const Index count = source.ListCount();
    for (Index pass = 0; pass < count; ++pass) {
        source.setListIndex(0);
        if (!target.AddItem(source.Text()))
            return;
        source.RemoveItem(0);
    }
}
