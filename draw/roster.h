#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace draw {

// The names still in the draw, in order, each with a selected mark. The one
// source of truth for names and marks; the roster list on screen only shows it.
class Roster {
public:
    // Called after every change of names or marks, so a view can repaint.
    using Observer = std::function<void()>;

    void setObserver(Observer observer);

    void clear();
    void append(std::string name);
    // Replaces every entry with `names`, none marked, with one notification
    // (a whole file of names would otherwise notify once per name).
    void assign(std::vector<std::string> names);

    std::size_t size() const;
    bool empty() const { return size() == 0; }
    // Position out of range throws DrawError "List index out of bounds (<i>)".
    const std::string &name(std::size_t i) const;
    // A copy of every name, in order.
    std::vector<std::string> names() const;

    bool selected(std::size_t i) const;
    void setSelected(std::size_t i, bool on);
    // Marks [first, last] (inclusive) with one notification.
    void setSelectedRange(std::size_t first, std::size_t last, bool on);
    void clearSelection();
    void selectAll();
    std::size_t selectedCount() const;

    // Deletes every marked entry; the rest keep their order.
    void deleteSelected();

    // An entry taken out of the roster, which knows its place among the others.
    struct TakenEntry {
        std::uint32_t slot; // the entry's place in the order names first came in
        std::string name;
    };
    // deleteSelected that hands back the deleted entries, in roster order.
    std::vector<TakenEntry> takeSelected();
    // Puts taken entries back where they were taken from, among the entries still
    // there: entries added or deleted since then do not shift them. Throws
    // DrawError when an entry is in the roster already. Not across clear or assign.
    void putBack(std::vector<TakenEntry> entries);

    // Rises whenever entries take new positions (clear, assign, a delete), so a
    // view can tell a change of marks from a change of what each position holds.
    std::uint64_t renumberings() const { return m_renumberings; }

    // First position whose name equals `name` byte for byte.
    std::optional<std::size_t> find(std::string_view name) const;

private:
    // A tick re-marks many entries and notifies once when done.
    friend class RollingPick;

    void notify();
    void checkPosition(std::size_t i) const;
    // Unchecked and silent; the caller notifies.
    bool markedQuietly(std::size_t i) const { return m_marks[i] != 0; }
    const std::string &nameQuietly(std::size_t i) const { return m_store[m_order[i]]; }
    void markQuietly(std::size_t i);
    void clearMarksQuietly();
    void markAllQuietly();
    // The names as they came in, and the roster's order as positions into them: a
    // delete then closes the gaps in an array of small numbers instead of moving
    // every name after the first winner (a million names would take milliseconds).
    // A deleted name's slot is emptied and never used again.
    std::vector<std::string> m_store;
    std::vector<std::uint32_t> m_order;
    std::vector<unsigned char> m_marks;
    std::size_t m_selectedCount = 0;
    Observer m_observer;
    // Counts every notified change, and the changes that gave entries new positions
    // (clear, assign, a delete), so a tick can tell whether its own marks are still
    // the only ones and its positions still name the same entries.
    std::uint64_t m_changes = 0;
    std::uint64_t m_renumberings = 0;
};

} // namespace draw
