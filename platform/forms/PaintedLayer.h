#pragma once

#include <QRect>

#include <vector>

namespace platform {

class GraphicalControl;

// A container's painted controls in z-order, with what painting and clicks need of each kept
// side by side: a walk over hundreds of controls themselves is slow. The higher a control's
// stamp, the nearer the front, so that a move touches its entry alone, as a tab selection's
// moves of hundreds of pictures do.
class PaintedLayer {
public:
    struct Entry {
        GraphicalControl *control = nullptr;
        qint64 z = 0;
        QRect paint;
        QRect click; // empty if it takes none
        bool visible = false;
        bool stale = true; // read from the control when next needed
    };

    // In front of the others; its place and look are read once the control is made whole.
    void add(GraphicalControl *control);
    void remove(GraphicalControl *control);
    // After a change to where or whether the control paints or takes clicks.
    void changed(GraphicalControl *control);
    // To the front or the back; null if it is there already.
    const Entry *move(GraphicalControl *control, bool toFront);

    // Front to back.
    std::vector<GraphicalControl *> controls() const;
    // The frontmost shown control that takes clicks at `pixels`, or null.
    GraphicalControl *at(const QPoint &pixels) const;
    // The shown controls that paint or take clicks inside `area`, back to front.
    std::vector<Entry> inside(const QRect &area) const;

private:
    static const Entry &fresh(Entry &entry);

    mutable std::vector<Entry> m_entries; // in no order
    qint64 m_front = 0;                   // the stamps of the front and the back, or beyond
    qint64 m_back = 1;
};

} // namespace platform
