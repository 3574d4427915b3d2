#pragma once
#include "base/orx2basepool/arraychangednotification.h"

#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

namespace Base::Binding
{
/// Calls `run(first, end)` for each run of consecutive positions of `positions` (ascending): positions
/// [first, end) follow each other by one. In list order, or with `Backwards` from the last run, as
/// removals must be applied. Allocates nothing.
template <bool Backwards = false, class Run>
void ForEachPositionRun(std::vector<std::size_t> const& positions, Run&& run)
{
    if constexpr (Backwards)
    {
        for (std::size_t end = positions.size(); end > 0;)
        {
            std::size_t begin = end - 1;
            while (begin > 0 && positions[begin - 1] + 1 == positions[begin])
                --begin;
            run(begin, end);
            end = begin;
        }
    }
    else
    {
        for (std::size_t first = 0; first < positions.size();)
        {
            std::size_t end = first + 1;
            while (end < positions.size() && positions[end] == positions[end - 1] + 1)
                ++end;
            run(first, end);
            first = end;
        }
    }
}

/// Brings `copy`, a mirror of an array source, to the state the source has after `notification`:
/// replaced elements first, then the insertions in list order, then the removals of kind 2 from the
/// last position backwards; kind 1 and kind 3 clear the copy. Every consumer that mirrors an array
/// (the full array observer, the proxy, the transform source) applies notifications this way.
/// Runs of consecutive positions are inserted and erased in one step, so a whole-array notification
/// costs linear time.
/// Throws std::out_of_range for a position that does not fit the copy (the copy was not a mirror of
/// the source), and whatever copying a `T` throws; the copy is then partly updated.
/// With `leaving`, the elements the notification replaces or removes are moved there instead of being
/// destroyed, so that a caller holding a lock can let them die after releasing it.
template <class T>
void ApplyArrayChangedNotification(std::vector<T>& copy, ArrayChangedNotification<T> const& notification,
                                   std::vector<T>* leaving = nullptr)
{
    std::size_t const changedCount = notification.changedIndices.size();
    for (std::size_t i = 0; i < changedCount; ++i)
    {
        T& element = copy.at(notification.changedIndices[i]);
        T const& value = notification.changedValues.at(i);
        if (leaving != nullptr)
            leaving->push_back(std::move(element));
        element = value;
    }

    std::vector<std::size_t> const& inserted = notification.insertedIndices;
    if (inserted.size() != notification.insertedValues.size())
        throw std::out_of_range("array notification: inserted positions and values differ in number");
    // Inserting value i at p and value i + 1 at p + 1 is inserting both at p in one go.
    ForEachPositionRun(inserted,
                       [&](std::size_t first, std::size_t last)
                       {
                           if (inserted[first] > copy.size())
                               throw std::out_of_range("array notification: insertion beyond the end");
                           auto const values = notification.insertedValues.begin();
                           copy.insert(copy.begin() + static_cast<std::ptrdiff_t>(inserted[first]),
                                       values + static_cast<std::ptrdiff_t>(first),
                                       values + static_cast<std::ptrdiff_t>(last));
                       });

    switch (notification.removalKind)
    {
    case EArrayRemovalKind::None:
        break;
    case EArrayRemovalKind::Indices:
    {
        std::vector<std::size_t> const& removed = notification.removedIndices;
        // The last run first, so that the positions of the earlier ones still hold.
        ForEachPositionRun<true>(
            removed,
            [&](std::size_t begin, std::size_t end)
            {
                if (removed[end - 1] >= copy.size())
                    throw std::out_of_range("array notification: removal beyond the end");
                if (leaving != nullptr)
                    leaving->insert(leaving->end(),
                                    std::make_move_iterator(copy.begin() + static_cast<std::ptrdiff_t>(removed[begin])),
                                    std::make_move_iterator(copy.begin() +
                                                            static_cast<std::ptrdiff_t>(removed[end - 1]) + 1));
                copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(removed[begin]),
                           copy.begin() + static_cast<std::ptrdiff_t>(removed[end - 1]) + 1);
            });
        break;
    }
    case EArrayRemovalKind::All:
    case EArrayRemovalKind::SourceDestroyed:
        if (leaving != nullptr)
            leaving->insert(leaving->end(), std::make_move_iterator(copy.begin()), std::make_move_iterator(copy.end()));
        copy.clear();
        break;
    }
}
} // namespace Base::Binding
