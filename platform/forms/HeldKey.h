#pragma once

#include <QKeyEvent>
#include <QList>
#include <QWidget>

namespace platform {

// Swallows the repeats of the given keys held down on a widget, so that each acts once per
// press the user makes. Qt flags most repeats, but under X, which sends a release before each
// repeat, it can tell them apart only while the repeat is already queued behind that release;
// after a busy moment (a lookup run) it is not, and the repeat comes as a press of its own.
// Such a press comes at the very time of the release before it, which a user's press never does.
class HeldKey : public QObject {
public:
    // Belongs to `widget`.
    HeldKey(QWidget *widget, QList<int> keys) : QObject(widget), m_keys(std::move(keys))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return false;
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (!m_keys.contains(key->key()))
            return false;
        if (key->type() == QEvent::KeyRelease) {
            m_releasedKey = key->key();
            m_releasedAt = key->timestamp();
            return false;
        }
        // Events made up by the program itself or by tests carry no time.
        return key->isAutoRepeat() || (key->timestamp() != 0 && key->key() == m_releasedKey &&
                                       key->timestamp() == m_releasedAt);
    }

private:
    QList<int> m_keys;
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};

} // namespace platform
