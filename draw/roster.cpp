#include "draw/roster.h"

#include "draw/draw_error.h"
#include "draw/error_messages.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace draw {

void Roster::setObserver(Observer observer)
{
    m_observer = std::move(observer);
}

void Roster::notify()
{
    ++m_changes;
    if (m_observer)
        m_observer();
}

void Roster::checkPosition(std::size_t i) const
{
    if (i >= m_order.size())
        throw errors::listIndexOutOfBounds(i);
}

void Roster::clear()
{
    m_store.clear();
    m_order.clear();
    m_marks.clear();
    m_selectedCount = 0;
    ++m_renumberings;
    notify();
}

void Roster::append(std::string name)
{
    m_order.push_back(static_cast<std::uint32_t>(m_store.size()));
    m_store.push_back(std::move(name));
    m_marks.push_back(0);
    notify();
}

void Roster::assign(std::vector<std::string> names)
{
    m_store = std::move(names);
    m_order.resize(m_store.size());
    std::iota(m_order.begin(), m_order.end(), std::uint32_t{0});
    m_marks.assign(m_order.size(), 0);
    m_selectedCount = 0;
    ++m_renumberings;
    notify();
}

std::size_t Roster::size() const
{
    return m_order.size();
}

const std::string &Roster::name(std::size_t i) const
{
    checkPosition(i);
    return nameQuietly(i);
}

std::vector<std::string> Roster::names() const
{
    std::vector<std::string> names;
    names.reserve(m_order.size());
    for (const std::uint32_t at : m_order)
        names.push_back(m_store[at]);
    return names;
}

bool Roster::selected(std::size_t i) const
{
    checkPosition(i);
    return m_marks[i] != 0;
}

void Roster::setSelected(std::size_t i, bool on)
{
    checkPosition(i);
    if (on)
        markQuietly(i);
    else if (m_marks[i]) {
        m_marks[i] = 0;
        --m_selectedCount;
    }
    notify();
}

void Roster::setSelectedRange(std::size_t first, std::size_t last, bool on)
{
    checkPosition(first);
    checkPosition(last);
    for (std::size_t i = first; i <= last; ++i) {
        if (m_marks[i] == static_cast<unsigned char>(on))
            continue;
        m_marks[i] = static_cast<unsigned char>(on);
        if (on)
            ++m_selectedCount;
        else
            --m_selectedCount;
    }
    notify();
}

void Roster::clearSelection()
{
    clearMarksQuietly();
    notify();
}

void Roster::selectAll()
{
    markAllQuietly();
    notify();
}

std::size_t Roster::selectedCount() const
{
    return m_selectedCount;
}

void Roster::deleteSelected()
{
    if (m_selectedCount != 0) {
        // Entries before the first marked one keep their places untouched.
        const auto first = static_cast<std::size_t>(std::find(m_marks.begin(), m_marks.end(), 1) -
                                                    m_marks.begin());
        std::size_t kept = first;
        for (std::size_t i = first; i < m_order.size(); ++i) {
            if (m_marks[i]) {
                std::string().swap(m_store[m_order[i]]);
                continue;
            }
            m_order[kept] = m_order[i];
            ++kept;
        }
        m_order.resize(kept);
        m_marks.assign(kept, 0);
        m_selectedCount = 0;
        ++m_renumberings;
    }
    notify();
}

std::vector<Roster::TakenEntry> Roster::takeSelected()
{
    std::vector<TakenEntry> taken;
    taken.reserve(m_selectedCount);
    for (std::size_t i = 0; i < m_order.size() && taken.size() < m_selectedCount; ++i)
        if (m_marks[i])
            taken.push_back({m_order[i], m_store[m_order[i]]});
    deleteSelected();
    return taken;
}

void Roster::putBack(std::vector<TakenEntry> entries)
{
    // The order only ever holds slots in rising order (names come in at the end,
    // deletes keep the order), so a slot's place is found by its number, and one
    // merge puts every entry back at once.
    std::sort(entries.begin(), entries.end(),
              [](const TakenEntry &a, const TakenEntry &b) { return a.slot < b.slot; });
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::uint32_t slot = entries[i].slot;
        if (slot >= m_store.size() || (i > 0 && entries[i - 1].slot == slot) ||
            std::binary_search(m_order.begin(), m_order.end(), slot))
            throw DrawError("A name put back into the roster is in it already");
    }
    if (entries.empty())
        return;
    std::vector<std::uint32_t> order;
    order.reserve(m_order.size() + entries.size());
    auto back = entries.begin();
    for (const std::uint32_t at : m_order) {
        for (; back != entries.end() && back->slot < at; ++back)
            order.push_back(back->slot);
        order.push_back(at);
    }
    for (; back != entries.end(); ++back)
        order.push_back(back->slot);
    for (TakenEntry &entry : entries)
        m_store[entry.slot] = std::move(entry.name);
    m_order = std::move(order);
    // New positions for everyone after the first returned entry: marks start afresh.
    m_marks.assign(m_order.size(), 0);
    m_selectedCount = 0;
    ++m_renumberings;
    notify();
}

std::optional<std::size_t> Roster::find(std::string_view name) const
{
    for (std::size_t i = 0; i < m_order.size(); ++i)
        if (m_store[m_order[i]] == name)
            return i;
    return std::nullopt;
}

void Roster::markQuietly(std::size_t i)
{
    if (!m_marks[i]) {
        m_marks[i] = 1;
        ++m_selectedCount;
    }
}

void Roster::clearMarksQuietly()
{
    // Often nothing is marked (after a delete or a load): skip the pass then.
    if (m_selectedCount != 0)
        std::fill(m_marks.begin(), m_marks.end(), 0);
    m_selectedCount = 0;
}

void Roster::markAllQuietly()
{
    std::fill(m_marks.begin(), m_marks.end(), 1);
    m_selectedCount = m_order.size();
}

} // namespace draw
