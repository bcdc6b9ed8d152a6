#include "tabs/TabNavigation.h"

#include "tabs/TabSelection.h"
#include "tabs/TabStripScroll.h"
#include "window/FrmSearchControls.h"

#include <QShortcut>

using platform::Index;

TabNavigation::TabNavigation(FrmSearchControls &form, TabSelection &selection,
                             TabStripScroll &scroll)
    : m_form(form), m_selection(selection), m_scroll(scroll)
{
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
                [this] { selectNext(); });
    // Shift+Tab arrives as Backtab.
    addShortcut({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                 QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
                [this] { selectPrevious(); });
    for (int position = 0; position < 8; ++position) {
        addShortcut({QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + position))},
                    [this, position] { selectPosition(position); });
    }
    addShortcut({QKeySequence(Qt::ALT | Qt::Key_9)}, [this] { selectPosition(-1); });
    addShortcut({QKeySequence(Qt::Key_F5)}, [this] { reloadSelected(); });
    addShortcut({QKeySequence(Qt::CTRL | Qt::Key_L)}, [this] { focusLookUp(); });

    m_form.frmSearch.setWheelHandler(m_form.stripRows(),
                                     [this](int notches) { shiftStrip(notches); });
}

void TabNavigation::addShortcut(std::initializer_list<QKeySequence> keys,
                                std::function<void()> action)
{
    for (const QKeySequence &key : keys) {
        auto *shortcut = new QShortcut(key, &m_form.frmSearch);
        QObject::connect(shortcut, &QShortcut::activated, shortcut, action);
        m_shortcuts.push_back(shortcut);
    }
}

void TabNavigation::setEnabled(bool enabled)
{
    for (QShortcut *shortcut : m_shortcuts)
        shortcut->setEnabled(enabled);
}

void TabNavigation::selectNext()
{
    select(Index((m_form.currentTab + 1) % m_form.imgTab.Count()));
}

void TabNavigation::selectPrevious()
{
    const int count = m_form.imgTab.Count();
    select(Index((m_form.currentTab + count - 1) % count));
}

void TabNavigation::selectPosition(int position)
{
    const int count = m_form.imgTab.Count();
    if (position < count)
        select(Index(position < 0 ? count - 1 : position));
}

void TabNavigation::select(Index index)
{
    m_selection.imgTab_Click(index);
    bringIntoView(index);
}

void TabNavigation::bringIntoView(Index index)
{
    FrmSearchControls &f = m_form;
    const float width = f.imgTab(index).Width();
    if (width <= 0)
        return;
    // Counted first, then shifted at once: Alt+9 over a thousand tabs moves the strip once.
    float left = f.imgTab(index).Left();
    int clicks = 0;
    for (; left < f.imgLeft.Left() + f.imgLeft.Width(); left += width)
        ++clicks;
    for (; left + width > f.imgRight.Left(); left -= width)
        --clicks;
    m_scroll.shiftBy(clicks);
}

void TabNavigation::shiftStrip(int notches)
{
    // Down or right shows the tabs further along, as the left arrow does.
    m_scroll.shiftBy(-notches);
}

void TabNavigation::reloadSelected()
{
    m_form.browserLookup(m_form.currentTab).Refresh();
}

void TabNavigation::focusLookUp()
{
    platform::TextBox &box = m_form.txtLookUp;
    if (!box.takesFocus())
        return;
    box.SetFocus();
    box.setSelStart(0);
    box.setSelLength(int(box.Text().size()));
}
