#pragma once

#include <QAccessibleObject>

#include <vector>

namespace platform {

// What assistive technology sees of the program as a whole: its windows on the screen. The
// web engine's views paint through top-level windows of their own that are never shown (Qt
// names each "Offscreen"); Qt's own description of the program lists them as frames beside
// the real windows, with nothing in them to read. The pages themselves are reached through
// the views that show them.
class ApplicationAccessible : public QAccessibleApplication {
public:
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

private:
    std::vector<QAccessibleInterface *> shownWindows() const;
};

} // namespace platform
