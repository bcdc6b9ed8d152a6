#pragma once

#include <QString>

class FrmSearchControls;
class TabRecords;

// "Copy results": Ctrl+Shift+C, wherever the focus is in the window (a page too, like the tab
// keys), and the tab strip's context menu put every result tab on the clipboard as a table:
// tab-separated, with a header line, so that it pastes into a spreadsheet as one.
class ResultsCopy {
public:
    ResultsCopy(FrmSearchControls &form, const TabRecords &records);

    // Domain, verdict, registrar, registered, expires, status; dates as YYYY-MM-DD.
    static QString table(const TabRecords &records);
    void copy();

private:
    const TabRecords &m_records;
};
