#pragma once
#include "base/orx2basepool/arraychangednotification.h"

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace Base::Binding
{
/// Brings `copy`, a mirror of an array source, to the state the source has after `notification`:
/// replaced elements first, then the insertions in list order, then the removals of kind 2 from the
/// last position backwards; kind 1 and kind 3 clear the copy. Every consumer that mirrors an array
/// (the full array observer, the proxy, the transform source) applies notifications this way.
/// Runs of consecutive positions are inserted and erased in one step, so a whole-array notification
/// costs linear time.
/// Throws std::out_of_range for a position that does not fit the copy (the copy was not a mirror of
/// the source), and whatever copying a `T` throws; the copy is then partly updated.
template <class T>
void ApplyArrayChangedNotification(std::vector<T>& copy, ArrayChangedNotification<T> const& notification)
{
    std::size_t const changedCount = notification.changedIndices.size();
    for (std::size_t i = 0; i < changedCount; ++i)
        copy.at(notification.changedIndices[i]) = notification.changedValues.at(i);

    std::vector<std::size_t> const& inserted = notification.insertedIndices;
    if (inserted.size() != notification.insertedValues.size())
        throw std::out_of_range("array notification: inserted positions and values differ in number");
    for (std::size_t first = 0; first < inserted.size();)
    {
        // Inserting value i at p and value i + 1 at p + 1 is inserting both at p in one go.
        std::size_t last = first + 1;
        while (last < inserted.size() && inserted[last] == inserted[last - 1] + 1)
            ++last;
        if (inserted[first] > copy.size())
            throw std::out_of_range("array notification: insertion beyond the end");
        auto const values = notification.insertedValues.begin();
        copy.insert(copy.begin() + static_cast<std::ptrdiff_t>(inserted[first]),
                    values + static_cast<std::ptrdiff_t>(first), values + static_cast<std::ptrdiff_t>(last));
        first = last;
    }

    switch (notification.removalKind)
    {
    case EArrayRemovalKind::None:
        break;
    case EArrayRemovalKind::Indices:
    {
        std::vector<std::size_t> const& removed = notification.removedIndices;
        for (std::size_t end = removed.size(); end > 0;)
        {
            // Positions are ascending: erase the last run of consecutive positions first.
            std::size_t begin = end - 1;
            while (begin > 0 && removed[begin - 1] + 1 == removed[begin])
                --begin;
            if (removed[end - 1] >= copy.size())
                throw std::out_of_range("array notification: removal beyond the end");
            copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(removed[begin]),
                       copy.begin() + static_cast<std::ptrdiff_t>(removed[end - 1]) + 1);
            end = begin;
        }
        break;
    }
    case EArrayRemovalKind::All:
    case EArrayRemovalKind::SourceDestroyed:
        copy.clear();
        break;
    }
}
} // namespace Base::Binding
