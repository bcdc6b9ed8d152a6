#pragma once

#include "platform/forms/Twips.h"

// A source of facts about the result tabs' domains (DNS, the registries), which writes what
// it learns into the tabs' records (TabRecords). The window tells every source it has of
// each lookup; a third source is one more of these and one more rule in TabVerdict.
class TabSource {
public:
    virtual ~TabSource() = default;

    // Tab `tab` has a fresh record: its question waits for the end of the lookup.
    virtual void tabLookedUp(platform::Index tab) = 0;
    // Every tab of the lookup is made: their questions go out.
    virtual void lookupDone() = 0;

    // Off, the window tells it of no lookup: the tabs it would fill keep no answer of it.
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

private:
    bool m_enabled = true;
};
