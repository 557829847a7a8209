#include "draw/roster.h"

#include "draw/error_messages.h"

#include <algorithm>
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
    if (i >= m_names.size())
        throw errors::listIndexOutOfBounds(i);
}

void Roster::clear()
{
    m_names.clear();
    m_marks.clear();
    m_selectedCount = 0;
    ++m_renumberings;
    notify();
}

void Roster::append(std::string name)
{
    m_names.push_back(std::move(name));
    m_marks.push_back(0);
    notify();
}

void Roster::assign(std::vector<std::string> names)
{
    m_names = std::move(names);
    m_marks.assign(m_names.size(), 0);
    m_selectedCount = 0;
    ++m_renumberings;
    notify();
}

std::size_t Roster::size() const
{
    return m_names.size();
}

const std::string &Roster::name(std::size_t i) const
{
    checkPosition(i);
    return m_names[i];
}

const std::vector<std::string> &Roster::names() const
{
    return m_names;
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
        for (std::size_t i = first; i < m_names.size(); ++i) {
            if (m_marks[i])
                continue;
            m_names[kept] = std::move(m_names[i]);
            ++kept;
        }
        m_names.resize(kept);
        m_marks.assign(kept, 0);
        m_selectedCount = 0;
        ++m_renumberings;
    }
    notify();
}

std::optional<std::size_t> Roster::find(std::string_view name) const
{
    const auto at = std::find(m_names.begin(), m_names.end(), name);
    if (at == m_names.end())
        return std::nullopt;
    return static_cast<std::size_t>(at - m_names.begin());
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
    m_selectedCount = m_names.size();
}

} // namespace draw
