#include "platform/accessibility/ApplicationAccessible.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

namespace platform {

std::vector<QAccessibleInterface *> ApplicationAccessible::shownWindows() const
{
    std::vector<QAccessibleInterface *> shown;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || window->type() == Qt::Popup || window->type() == Qt::Desktop)
            continue;
        if (QAccessibleInterface *root = window->accessibleRoot(); root && root->object())
            shown.push_back(root);
    }
    return shown;
}

int ApplicationAccessible::childCount() const
{
    return int(shownWindows().size());
}

QAccessibleInterface *ApplicationAccessible::child(int index) const
{
    const std::vector<QAccessibleInterface *> shown = shownWindows();
    return index >= 0 && std::size_t(index) < shown.size() ? shown[std::size_t(index)] : nullptr;
}

int ApplicationAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const std::vector<QAccessibleInterface *> shown = shownWindows();
    const auto it = std::ranges::find_if(shown, [child](const QAccessibleInterface *window) {
        return window->object() == child->object();
    });
    return it == shown.end() ? -1 : int(it - shown.begin());
}

QAccessibleInterface *ApplicationAccessible::childAt(int x, int y) const
{
    for (QAccessibleInterface *window : shownWindows()) {
        if (window->rect().contains(x, y))
            return window;
    }
    return nullptr;
}

} // namespace platform
