#include "draw/roster.h"

#include "draw/error_messages.h"

#include <algorithm>
#include <utility>

namespace draw {

void Roster::setObserver(Observer observer)
{
    observer_ = std::move(observer);
}

void Roster::notify() const
{
    if (observer_)
        observer_();
}

void Roster::checkPosition(std::size_t i) const
{
    if (i >= names_.size())
        throw errors::listIndexOutOfBounds(i);
}

void Roster::clear()
{
    names_.clear();
    marks_.clear();
    selectedCount_ = 0;
    notify();
}

void Roster::append(std::string name)
{
    names_.push_back(std::move(name));
    marks_.push_back(0);
    notify();
}

void Roster::assign(std::vector<std::string> names)
{
    names_ = std::move(names);
    marks_.assign(names_.size(), 0);
    selectedCount_ = 0;
    notify();
}

std::size_t Roster::size() const
{
    return names_.size();
}

const std::string &Roster::name(std::size_t i) const
{
    checkPosition(i);
    return names_[i];
}

const std::vector<std::string> &Roster::names() const
{
    return names_;
}

bool Roster::selected(std::size_t i) const
{
    checkPosition(i);
    return marks_[i] != 0;
}

void Roster::setSelected(std::size_t i, bool on)
{
    checkPosition(i);
    if (on)
        markQuietly(i);
    else if (marks_[i]) {
        marks_[i] = 0;
        --selectedCount_;
    }
    notify();
}

void Roster::setSelectedRange(std::size_t first, std::size_t last, bool on)
{
    checkPosition(first);
    checkPosition(last);
    for (std::size_t i = first; i <= last; ++i) {
        if (marks_[i] == static_cast<unsigned char>(on))
            continue;
        marks_[i] = static_cast<unsigned char>(on);
        if (on)
            ++selectedCount_;
        else
            --selectedCount_;
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
    return selectedCount_;
}

void Roster::deleteSelected()
{
    if (selectedCount_ != 0) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (marks_[i])
                continue;
            if (kept != i)
                names_[kept] = std::move(names_[i]);
            ++kept;
        }
        names_.resize(kept);
        marks_.assign(kept, 0);
        selectedCount_ = 0;
    }
    notify();
}

std::optional<std::size_t> Roster::find(std::string_view name) const
{
    const auto at = std::find(names_.begin(), names_.end(), name);
    if (at == names_.end())
        return std::nullopt;
    return static_cast<std::size_t>(at - names_.begin());
}

void Roster::markQuietly(std::size_t i)
{
    if (!marks_[i]) {
        marks_[i] = 1;
        ++selectedCount_;
    }
}

void Roster::clearMarksQuietly()
{
    // Often nothing is marked (after a delete or a load): skip the pass then.
    if (selectedCount_ != 0)
        std::fill(marks_.begin(), marks_.end(), 0);
    selectedCount_ = 0;
}

void Roster::markAllQuietly()
{
    std::fill(marks_.begin(), marks_.end(), 1);
    selectedCount_ = names_.size();
}

} // namespace draw
