#pragma once

#include <QObject>

#include <list>
#include <vector>

namespace platform {

class WindowedControl;

// Which elements of a container's control arrays are covered whole by a shown element of the
// same array in front of them. A covered element's widget is hidden: it costs nothing to
// draw, and a page in it can rest. Its model (Visible, place, z-order) stays as set.
class ElementCovering {
public:
    // `layer` is the container's windowed layer, back to front; queued work runs on `owner`.
    ElementCovering(QObject *owner, const std::list<WindowedControl *> &layer);

    // Shows and hides the widgets of array elements as their covering asks; with
    // `hideCovered` false it only shows.
    void update(bool hideCovered);
    // Once the handler that is running has returned, however often it is asked meanwhile.
    void schedule();
    // The same as update, for an element just brought to the front.
    void coverBehind(WindowedControl *front);

    void added(WindowedControl *control);
    void removed(WindowedControl *control);
    void shownChanged(WindowedControl *element, bool shown);

private:
    // Before `covered` is hidden: the focus in it goes to the element that covers it.
    static void passFocus(WindowedControl *covered, WindowedControl *front);

    QObject *m_owner = nullptr;
    const std::list<WindowedControl *> &m_layer;
    bool m_scheduled = false;
    std::vector<WindowedControl *> m_shownElements; // array elements with a shown widget
};

} // namespace platform
