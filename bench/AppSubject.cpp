#include "AppSubject.h"

#include "platform/webengine/WebEngineBrowser.h"
#include "tabs/TabRecords.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>
#include <QWebEnginePage>

#include <algorithm>

using platform::Index;

namespace {

// A left click at `pos`, delivered the way the window system delivers one.
void click(QWidget *widget, QPoint pos)
{
    const QPointF local(pos);
    const QPointF global(widget->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Lets what an action set going in the engine finish before the next one starts.
void settle()
{
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
}

// Each action alternates between two states (two tabs, left and right, two sizes) whose
// costs differ: the median is taken over the mean of each pair.
double medianOfPairs(const QList<double> &times)
{
    if (times.size() < 2 || std::ranges::any_of(times, [](double t) { return t < 0; }))
        return -1;
    QList<double> pairs;
    for (qsizetype i = 0; i + 1 < times.size(); i += 2)
        pairs << (times[i] + times[i + 1]) / 2;
    std::ranges::sort(pairs);
    const qsizetype middle = pairs.size() / 2;
    return pairs.size() % 2 ? pairs[middle] : (pairs[middle - 1] + pairs[middle]) / 2;
}

} // namespace

AppSubject::AppSubject(const QString &rootUrl, const QString &startPageUrl,
                       const platform::ResolverSetup &dns, const QUrl &rdapBootstrap)
    : Subject(rootUrl), m_program(rootUrl, startPageUrl, nullptr, dns, rdapBootstrap),
      m_f(m_program.window().controls()), m_clock(&m_f.frmSearch)
{
}

QWebEnginePage *AppSubject::showWindow()
{
    m_program.window().Show();
    return page(0);
}

QWebEnginePage *AppSubject::page(Index tab)
{
    // Not view(): that would make views for pages that were never shown.
    return static_cast<platform::WebEngineBrowser &>(m_f.browserLookup(tab)).page();
}

QList<QWebEnginePage *> AppSubject::pages()
{
    QList<QWebEnginePage *> all;
    for (Index tab = 0; tab < m_f.browserLookup.Count(); ++tab)
        all << page(tab);
    return all;
}

int AppSubject::tabCount() const
{
    return m_f.imgTab.Count();
}

void AppSubject::clickControl(platform::Control &control)
{
    if (control.isWindowed()) {
        QWidget *widget = static_cast<platform::WindowedControl &>(control).widget();
        click(widget, widget->rect().center());
    } else {
        click(&m_f.frmSearch, control.pixelRect().center());
    }
}

QList<Subject::Load> AppSubject::lookUp(const QString &label, const QStringList &suffixes)
{
    while (m_f.lstPreFixUse.ListCount() > 0)
        m_f.lstPreFixUse.RemoveItem(0);
    for (const QString &suffix : suffixes)
        m_f.lstPreFixUse.AddItem(suffix);
    m_f.txtLookUp.setText(label);

    const Index before = m_f.browserLookup.Count();
    pressed();
    clickControl(m_f.cmdSearch);
    QList<Load> loads = {{page(0), address(label, suffixes.value(0))}};
    m_lookupTabs = {0};
    for (Index tab = before; tab < m_f.browserLookup.Count(); ++tab) {
        loads.append({page(tab), address(label, suffixes.value(tab - before + 1))});
        m_lookupTabs << tab;
    }
    return loads;
}

QWebEngineView *AppSubject::frontView()
{
    // The first suffix goes to the first tab, which the user sees only when it is selected.
    if (m_f.currentTab != 0) {
        clickControl(m_f.imgTab(0));
        settle();
    }
    return static_cast<platform::WebEngineBrowser &>(m_f.browserLookup(0)).view();
}

double AppSubject::medianMs(const QString &action, int repeats)
{
    QList<double> times;
    if (action == QLatin1String("select")) {
        // Two tabs in view, selected in turn: each click brings another browser to the front.
        if (tabCount() < 3)
            return -1;
        for (int i = 0; i < repeats; ++i) {
            const Index tab = Index(1 + i % 2);
            times << m_clock.time([&] { clickControl(m_f.imgTab(tab)); });
            settle();
            if (m_f.currentTab != tab)
                return -1;
        }
    } else if (action == QLatin1String("arrow")) {
        // Left and right in turn, so that the strip ends where it began.
        for (int i = 0; i < repeats; ++i) {
            const float before = m_f.imgTab(0).Left();
            times << m_clock.time([&] { clickControl(i % 2 ? m_f.imgRight : m_f.imgLeft); });
            settle();
            if (m_f.imgTab(0).Left() == before)
                return -1;
        }
    } else if (action == QLatin1String("resize")) {
        QWidget &window = m_f.frmSearch;
        if (window.isMaximized()) {
            window.showNormal();
            QCoreApplication::processEvents();
        }
        const QSize large = window.size();
        const QSize small = large - QSize(40, 30);
        for (int i = 0; i < repeats; ++i) {
            const float before = m_f.browserLookup(0).Width();
            times << m_clock.time([&] { window.resize(i % 2 ? large : small); }, true);
            settle();
            if (m_f.browserLookup(0).Width() == before)
                return -1;
        }
    } else if (action == QLatin1String("walk")) {
        // What a screen reader asks of each child of the window, after a change to the strip
        // (a tab selected) so that every walk starts afresh.
        QAccessibleInterface *form = QAccessible::queryAccessibleInterface(&m_f.frmSearch);
        for (int i = 0; i < repeats; ++i) {
            clickControl(m_f.imgTab(Index(1 + i % 2)));
            settle();
            QElapsedTimer clock;
            clock.start();
            int read = 0;
            for (int c = 0; c < form->childCount(); ++c) {
                QAccessibleInterface *child = form->child(c);
                read += child->role() + int(child->text(QAccessible::Name).size()) +
                        int(child->text(QAccessible::Description).size()) +
                        int(child->state().selected) + child->rect().width() +
                        int(form->indexOfChild(child) == c);
            }
            times << (read > 0 ? double(clock.nsecsElapsed()) / 1e6 : -1);
        }
    } else if (action == QLatin1String("alt9")) {
        // From the first tab to the last, the strip shifted to show it, until painted.
        QShortcut *first = shortcut(QKeySequence(Qt::ALT | Qt::Key_1));
        QShortcut *last = shortcut(QKeySequence(Qt::ALT | Qt::Key_9));
        if (!first || !last)
            return -1;
        for (int i = 0; i < repeats; ++i) {
            Q_EMIT first->activated();
            settle();
            times << m_clock.time([&] { Q_EMIT last->activated(); });
            settle();
            if (m_f.currentTab != m_f.imgTab.Count() - 1)
                return -1;
        }
        // Back at the start, so that the clicks timed next find their tabs in view.
        Q_EMIT first->activated();
        settle();
    } else {
        return -1;
    }
    return medianOfPairs(times);
}

QShortcut *AppSubject::shortcut(const QKeySequence &key)
{
    for (QShortcut *candidate : m_f.frmSearch.findChildren<QShortcut *>()) {
        if (candidate->key() == key)
            return candidate;
    }
    return nullptr;
}

bool AppSubject::hintsShown()
{
    const TabRecords *records = m_program.window().tabRecords();
    if (!records)
        return true;
    const bool dns = m_program.window().sourceEnabled(FrmSearch::Source::Dns);
    const bool registry = m_program.window().sourceEnabled(FrmSearch::Source::Registry);
    return std::ranges::all_of(m_lookupTabs, [&](Index tab) {
        const TabRecord &record = records->record(tab);
        return (!dns || record.dns.state != DnsEvidence::None) &&
               (!registry || record.registry.state != RegistryEvidence::None);
    });
}

bool AppSubject::setHints(const QString &source, bool on)
{
    using Source = FrmSearch::Source;
    if (source != QLatin1String("dns") && source != QLatin1String("registry"))
        return false;
    return m_program.window().setSourceEnabled(
        source == QLatin1String("dns") ? Source::Dns : Source::Registry, on);
}
