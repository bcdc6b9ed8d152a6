#pragma once

#include "platform/forms/Twips.h"

#include <QAccessible>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace platform {

// A family of controls sharing a name, told apart by a 16-bit index. Element 0 is given;
// Load creates the next element as a hidden copy of element 0 as it stands at that moment.
// Elements are never unloaded.
template <class T> class ControlArray {
public:
    explicit ControlArray(std::unique_ptr<T> element0)
    {
        m_elements.push_back(std::move(element0));
    }

    T &operator()(Index index) const { return *m_elements.at(static_cast<std::size_t>(index)); }
    Index Count() const { return static_cast<Index>(m_elements.size()); }
    // Count itself is 16-bit, so the last index is one short of the type's maximum.
    static constexpr int MaxCount = std::numeric_limits<Index>::max();

    // Only the next free index can be loaded; false when it is not that one or the index
    // range is used up.
    bool Load(Index index)
    {
        if (index != Count() || int(m_elements.size()) >= MaxCount)
            return false;
        m_elements.push_back(m_elements.front()->loadCopy(index));
        if constexpr (requires(T & t) { t.setClickHandler(std::function<void()>()); }) {
            if (m_clickHandler)
                bindClick(*m_elements.back(), index);
        }
        if constexpr (requires(T & t) { t.setAccessibleRole(QAccessible::NoRole); }) {
            if (m_accessibleRole != QAccessible::NoRole)
                bindAccessible(*m_elements.back(), index);
        }
        return true;
    }

    // One handler serves every element, those loaded later included, and gets the index.
    void setClickHandler(std::function<void(Index)> handler)
    {
        m_clickHandler = std::move(handler);
        for (Index i = 0; i < Count(); ++i)
            bindClick(*m_elements[static_cast<std::size_t>(i)], i);
    }

    // Every element, those loaded later included, is reachable for assistive technology in
    // the role; `names`, when given, names each by its index.
    void setAccessible(QAccessible::Role role, std::function<QString(Index)> names = {})
    {
        m_accessibleRole = role;
        m_accessibleNames = std::move(names);
        for (Index i = 0; i < Count(); ++i)
            bindAccessible(*m_elements[static_cast<std::size_t>(i)], i);
    }

private:
    void bindClick(T &element, Index index)
    {
        element.setClickHandler([this, index] { m_clickHandler(index); });
    }

    void bindAccessible(T &element, Index index)
    {
        element.setAccessibleRole(m_accessibleRole);
        if (m_accessibleNames)
            element.setAccessibleName([this, index] { return m_accessibleNames(index); });
    }

    std::vector<std::unique_ptr<T>> m_elements;
    std::function<void(Index)> m_clickHandler;
    QAccessible::Role m_accessibleRole = QAccessible::NoRole;
    std::function<QString(Index)> m_accessibleNames;
};

} // namespace platform
