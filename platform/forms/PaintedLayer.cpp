#include "platform/forms/PaintedLayer.h"

#include "platform/forms/GraphicalControl.h"

#include <algorithm>
#include <utility>

namespace platform {

void PaintedLayer::add(GraphicalControl *control)
{
    control->m_slot = m_entries.size();
    Entry &entry = m_entries.emplace_back();
    entry.control = control;
    entry.z = ++m_front;
}

void PaintedLayer::remove(GraphicalControl *control)
{
    const std::size_t slot = std::exchange(control->m_slot, GraphicalControl::NoSlot);
    if (slot == GraphicalControl::NoSlot)
        return;
    m_entries[slot] = m_entries.back();
    m_entries[slot].control->m_slot = slot;
    m_entries.pop_back();
}

void PaintedLayer::changed(GraphicalControl *control)
{
    m_entries[control->m_slot].stale = true;
}

const PaintedLayer::Entry *PaintedLayer::move(GraphicalControl *control, bool toFront)
{
    Entry &entry = m_entries[control->m_slot];
    if (entry.z == (toFront ? m_front : m_back))
        return nullptr;
    entry.z = toFront ? ++m_front : --m_back;
    return &fresh(entry);
}

std::vector<GraphicalControl *> PaintedLayer::controls() const
{
    std::vector<Entry> entries = m_entries;
    std::ranges::sort(entries, std::ranges::greater(), &Entry::z);
    std::vector<GraphicalControl *> controls;
    controls.reserve(entries.size());
    for (const Entry &entry : entries)
        controls.push_back(entry.control);
    return controls;
}

GraphicalControl *PaintedLayer::at(const QPoint &pixels) const
{
    const Entry *front = nullptr;
    for (Entry &entry : m_entries) {
        if (fresh(entry).visible && entry.click.contains(pixels) && (!front || entry.z > front->z))
            front = &entry;
    }
    return front ? front->control : nullptr;
}

std::vector<PaintedLayer::Entry> PaintedLayer::inside(const QRect &area) const
{
    std::vector<Entry> shown;
    for (Entry &entry : m_entries) {
        if (fresh(entry).visible && (entry.paint.intersects(area) || entry.click.intersects(area)))
            shown.push_back(entry);
    }
    // Only what lies inside is put in order: a strip of hundreds of tabs shows a few.
    std::ranges::sort(shown, {}, &Entry::z);
    return shown;
}

const PaintedLayer::Entry &PaintedLayer::fresh(Entry &entry)
{
    if (entry.stale) {
        const GraphicalControl *control = entry.control;
        entry.paint = control->paintRect();
        entry.click = control->takesClicks() ? control->pixelRect() : QRect();
        entry.visible = control->Visible();
        entry.stale = false;
    }
    return entry;
}

} // namespace platform
