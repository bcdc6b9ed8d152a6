#include "window/FrmSearch.h"

#include "platform/forms/StandardDialogs.h"
#include "tabs/ResultsCopy.h"
#include "tabs/TabRecords.h"
#include "tabs/TabSource.h"
#if LOOKUP_DNS_HINTS
#include "tabs/DnsHints.h"
#endif
#if LOOKUP_RDAP
#include "tabs/RegistryHints.h"
#endif

using namespace platform;

namespace {

Dialogs &chooseDialogs(Dialogs *given, std::unique_ptr<Dialogs> &own, QWidget *parent)
{
    if (given)
        return *given;
    own = std::make_unique<StandardDialogs>(parent);
    return *own;
}

} // namespace

FrmSearch::FrmSearch(const QString &lookupBaseUrl, const QString &startPageUrl,
                     const BrowserFactory &browsers, Dialogs *dialogs, NameServerLookup *dns,
                     RegistryLookup *registry)
    : m_controls(browsers), m_dialogs(chooseDialogs(dialogs, m_ownDialogs, &m_controls.frmSearch)),
      m_startPageUrl(startPageUrl), m_lookupRun(m_controls, lookupBaseUrl, m_dialogs),
      m_suffixPanel(m_controls, m_dialogs)
{
    connectEvents();
    if (!dns && !registry)
        return;
    m_records = std::make_unique<TabRecords>(m_controls, m_lookupRun);
    m_resultsCopy = std::make_unique<ResultsCopy>(m_controls, *m_records);
#if LOOKUP_DNS_HINTS
    if (dns)
        m_sources[std::size_t(Source::Dns)] = std::make_unique<DnsHints>(*m_records, *dns);
#endif
#if LOOKUP_RDAP
    if (registry)
        m_sources[std::size_t(Source::Registry)] =
            std::make_unique<RegistryHints>(*m_records, *registry);
#endif
    wireSources();
}

FrmSearch::~FrmSearch() = default;

void FrmSearch::connectEvents()
{
    FrmSearchControls &f = m_controls;
    f.frmSearch.setResizeHandler([this] { Form_Resize(); });
    f.cmdSearch.setClickHandler([this] { m_lookupRun.cmdSearch_Click(); });
    // Enter in the text box looks up, as users expect of a search field; once per press.
    f.txtLookUp.setEnterHandler([this] { m_lookupRun.cmdSearch_Click(); });
    f.imgTab.setClickHandler([this](Index index) { m_tabSelection.imgTab_Click(index); });
    f.lbPreFix.setClickHandler([this](Index index) { m_tabSelection.lbPreFix_Click(index); });
    f.imgLeft.setClickHandler([this] { m_tabStripScroll.imgLeft_Click(); });
    f.imgRight.setClickHandler([this] { m_tabStripScroll.imgRight_Click(); });
    // The arrows take every click, the second of a double-click too, and repeat while held.
    f.imgLeft.setDblClickHandler([this] { m_tabStripScroll.imgLeft_Click(); });
    f.imgRight.setDblClickHandler([this] { m_tabStripScroll.imgRight_Click(); });
    f.imgLeft.setAutoRepeat(true);
    f.imgRight.setAutoRepeat(true);
    f.cmdPreFixSetup.setClickHandler([this] {
        m_suffixPanel.cmdPreFixSetup_Click();
        handleSetupShownChanged();
    });
    f.cmdDone.setClickHandler([this] {
        m_suffixPanel.cmdDone_Click();
        handleSetupShownChanged();
    });
    f.cmdAdd.setClickHandler([this] { m_suffixPanel.cmdAdd_Click(); });
    f.cmdRemove.setClickHandler([this] { m_suffixPanel.cmdRemove_Click(); });
    f.cmdAddAll.setClickHandler([this] { m_suffixPanel.cmdAddAll_Click(); });
    f.cmdRemoveAll.setClickHandler([this] { m_suffixPanel.cmdRemoveAll_Click(); });
    f.cmdCreateNew.setClickHandler([this] { m_suffixPanel.cmdCreateNew_Click(); });
}

// Each tab a lookup fills gets a fresh record, so that nothing known of its last domain
// outlives it, and then each source its question.
void FrmSearch::wireSources()
{
    m_lookupRun.setTabFilledHandler([this](Index tab, const QString &label, const QString &suffix) {
        m_records->tabLookedUp(tab, label, suffix);
        for (const auto &source : m_sources) {
            if (source && source->enabled())
                source->tabLookedUp(tab);
        }
    });
    m_lookupRun.setLookupDoneHandler([this] {
        for (const auto &source : m_sources) {
            if (source && source->enabled())
                source->lookupDone();
        }
    });
}

bool FrmSearch::setSourceEnabled(Source source, bool enabled)
{
    TabSource *asked = m_sources[std::size_t(source)].get();
    if (asked)
        asked->setEnabled(enabled);
    return asked;
}

bool FrmSearch::sourceEnabled(Source source) const
{
    const TabSource *asked = m_sources[std::size_t(source)].get();
    return asked && asked->enabled();
}

void FrmSearch::handleSetupShownChanged()
{
    // The tab keys rest while the panel is shown: a selected browser would rise above it.
    m_tabNavigation.setEnabled(!m_controls.fraSetup.Visible());
}

void FrmSearch::Show()
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    m_controls.frmSearch.showMaximized();
    m_controls.txtLookUp.widget()->setFocus();
}

void FrmSearch::Form_Load()
{
    FrmSearchControls &f = m_controls;
    m_tabSelection.imgTab_Click(0);
    m_lookupRun.describeTab(0, QStringLiteral("Start page"));
    f.browserLookup(0).Navigate(m_startPageUrl);
    f.browserLookup(0).Navigate2(m_startPageUrl);
}

void FrmSearch::Form_Resize()
{
    FrmSearchControls &f = m_controls;
    const float W = f.frmSearch.Width();
    const float H = f.frmSearch.Height();
    // Every statement stands alone: a put the control refuses (a negative size) leaves that
    // control as it was, and the next statement runs.
    f.imgRight.setLeft(W - (f.imgRight.Width() + 240));
    f.imgBG.setWidth(W);
    f.imgBG.setHeight(H);
    const Index count = f.browserLookup.Count();
    for (Index i = 0; i < count; ++i) {
        f.browserLookup(i).setWidth(W - 360);
        f.browserLookup(i).setHeight(H - (f.browserLookup(0).Top() + 640));
    }
    f.lineRight.setX2(W);
    f.fraSetup.setWidth(W);
    f.fraSetup.setHeight(H);
    f.imgLeft.ZOrder(0);
    f.imgRight.ZOrder(0);
}
