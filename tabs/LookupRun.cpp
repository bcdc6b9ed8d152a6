#include "tabs/LookupRun.h"

#include "platform/forms/Dialogs.h"
#include "tabs/LookupAddress.h"
#include "window/FrmSearchControls.h"

#include <QLocale>

using platform::Index;

LookupRun::LookupRun(FrmSearchControls &form, QString lookupBaseUrl, platform::Dialogs &dialogs)
    : m_form(form), m_lookupBaseUrl(std::move(lookupBaseUrl)), m_dialogs(dialogs)
{
}

QString LookupRun::label() const
{
    return m_form.txtLookUp.Text().trimmed();
}

QString LookupRun::address(const QString &PreFix) const
{
    return lookupAddress(m_lookupBaseUrl, label(), PreFix);
}

void LookupRun::describeTab(Index index, const QString &holds)
{
    FrmSearchControls &f = m_form;
    f.imgTab(index).setToolTipText(holds);
    f.imgCurrent(index).setToolTipText(holds);
    f.lbPreFix(index).setToolTipText(holds);
}

void LookupRun::cmdSearch_Click()
{
    FrmSearchControls &f = m_form;
    bool firstPass = true;
    int notLookedUp = 0;
    const Index count = f.lstPreFixUse.ListCount();
    for (Index i = 0; i < count; ++i) {
        f.lstPreFixUse.setListIndex(i);
        if (firstPass) {
            firstPass = false;
            f.browserLookup(0).Navigate(address(f.lstPreFixUse.Text()));
            f.browserLookup(0).Navigate2(address(f.lstPreFixUse.Text()));
            f.lbPreFix(0).setCaption(f.lstPreFixUse.Text());
            describeTab(0, label() + f.lstPreFixUse.Text());
            if (m_tabFilled)
                m_tabFilled(0, label(), f.lstPreFixUse.Text());
        } else if (!new_lookup(f.lstPreFixUse.Text())) {
            ++notLookedUp;
        }
    }
    f.imgLeft.ZOrder(0);
    f.imgRight.ZOrder(0);
    if (m_lookupDone)
        m_lookupDone();

    // Skipping suffixes silently would report a partial lookup as a full one.
    if (notLookedUp > 0) {
        const QString count = notLookedUp == 1
                                  ? QStringLiteral("1 suffix was")
                                  : QStringLiteral("%1 suffixes were").arg(notLookedUp);
        m_dialogs.MsgBox(QStringLiteral("%1 not looked up: the window already holds %2 result "
                                        "tabs, the most it can.")
                             .arg(count, QLocale().toString(f.imgTab.Count())),
                         f.frmSearch.Caption());
    }
}

bool LookupRun::new_lookup(const QString &PreFix)
{
    FrmSearchControls &f = m_form;
    const Index n = f.imgTab.Count();
    if (n >= m_tabLimit || n >= f.imgTab.MaxCount)
        return false;

    f.imgTab.Load(n);
    f.imgCurrent.Load(n);
    f.browserLookup.Load(n);
    f.lbPreFix.Load(n);

    f.lbPreFix(n).setCaption(PreFix);
    describeTab(n, label() + PreFix);
    if (m_tabFilled)
        m_tabFilled(n, label(), PreFix);

    f.imgTab(n).setVisible(true);
    f.imgCurrent(n).setVisible(true);
    f.browserLookup(n).setVisible(true);
    f.lbPreFix(n).setVisible(true);

    f.imgTab(n).setLeft(f.imgTab(n - 1).Width() + f.imgTab(n - 1).Left());
    f.imgCurrent(n).setLeft(f.imgTab(n).Left());
    f.lbPreFix(n).setLeft(f.imgCurrent(n).Left());

    f.lbPreFix(n).ZOrder(1);
    f.imgTab(n).ZOrder(1);
    f.imgCurrent(n).ZOrder(1);
    f.browserLookup(n).ZOrder(1);

    f.browserLookup(n).Navigate(address(PreFix));
    f.browserLookup(n).Navigate2(address(PreFix));
    return true;
}
