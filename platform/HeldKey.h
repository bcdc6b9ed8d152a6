#pragma once

#include <QKeyEvent>

namespace platform {

// Tells the repeats of a key held down from the user's own presses. Qt flags most repeats,
// but under X, which sends a release before each repeat, it can tell them apart only while
// the repeat is already queued behind that release; after a busy moment (a lookup run) it
// is not, and the repeat comes as a press of its own. Such a press comes at the very time
// of the release before it, which a user's press never does.
class HeldKey {
public:
    // Given every press and release of the keys watched; true for a press that repeats.
    bool repeats(const QKeyEvent *event)
    {
        if (event->type() == QEvent::KeyRelease) {
            m_releasedKey = event->key();
            m_releasedAt = event->timestamp();
            return false;
        }
        // Events made up by the program itself or by tests carry no time.
        return event->isAutoRepeat() || (event->timestamp() != 0 && event->key() == m_releasedKey &&
                                         event->timestamp() == m_releasedAt);
    }

private:
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};

} // namespace platform
