#pragma once

#include "platform/forms/Twips.h"

#include <QKeySequence>

#include <functional>
#include <vector>

class FrmSearchControls;
class QShortcut;
class TabSelection;
class TabStripScroll;

// The keys and the wheel that people who live in tabbed windows reach for, each ending in the
// handlers a click would reach, so that selection, base lines and limits stay theirs:
// Ctrl+Tab and Ctrl+PageDown select the next tab, Ctrl+Shift+Tab and Ctrl+PageUp the one
// before (both wrap round), Alt+1 to Alt+8 the first eight and Alt+9 the last; a tab so
// selected out of view is brought into it by the arrows, one tab at a time. The wheel over
// the strip shifts it a tab per notch. F5 loads the selected tab's page again and Ctrl+L
// puts the focus in the text box with its text selected. The keys act wherever the focus is
// in the window, in a page too, and none of them is a key the window's controls use.
class TabNavigation {
public:
    TabNavigation(FrmSearchControls &form, TabSelection &selection, TabStripScroll &scroll);

    // Off while the setup panel covers everything the keys act on, so that its lists keep
    // every key of their own.
    void setEnabled(bool enabled);

    void selectNext();
    void selectPrevious();
    // The tab at `position`, counted from 0 (-1: the last tab); nothing when there is none.
    void selectPosition(int position);
    // Down or right (positive) as the left arrow does, up or left as the right arrow does.
    void shiftStrip(int notches);
    void reloadSelected();
    void focusLookUp();

private:
    void addShortcut(std::initializer_list<QKeySequence> keys, std::function<void()> action);
    void select(platform::Index index);
    void bringIntoView(platform::Index index);

    FrmSearchControls &m_form;
    TabSelection &m_selection;
    TabStripScroll &m_scroll;
    std::vector<QShortcut *> m_shortcuts; // children of the window
};
