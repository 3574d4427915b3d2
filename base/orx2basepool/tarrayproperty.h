#pragma once
#include "base/orx2basepool/iarrayproperty.h"
#include "base/orx2basepool/internal/tstoringarraybindingsourceimplbase.h"

#include <algorithm>
#include <iterator>
#include <numeric>
#include <type_traits>
#include <utility>
#include <vector>

namespace Base::Binding
{
/// An observable list that its owner edits through list operations; others see it through
/// `IReadOnlyArrayProperty<T>` or `IArrayBindingSource<T>`.
///
/// Each edit is atomic under the writer lock and tells exactly what changed: changed positions,
/// inserted positions (in the new array) or removed positions (in the old array). An edit that changes
/// nothing (empty `values`, removal beyond the size, removal from an empty array) notifies nothing;
/// `Set` always notifies, with empty lists when nothing differs. Gaps left by a position beyond the end
/// are filled with value-initialised elements and reported as inserted.
/// Notifications are delivered on the editing thread while the property holds its reader lock: handlers
/// may read it but must not edit it (the edit would wait for their own reader lock).
/// If copying or moving an element (or allocating) fails in the middle of an edit, the array is emptied,
/// one notification with `removalKind` 1 and nothing else is fired, and the exception is rethrown, so
/// that observers and the property agree again. An exception from a handler leaves the edit after the
/// lock is released; the change stays.
/// `T` needs copy construction, assignment, value initialisation and `operator==`.
/// Destruction fires a last notification with `removalKind` 3.
/// Elements an edit removes or overwrites, and those left at destruction, are destroyed after the lock is
/// released: an element's destructor may take locks that a reader of this array holds while it waits.
template <class T>
class TArrayProperty final
    : public Internal::TStoringArrayBindingSourceImplBase<
          T, Internal::TArrayBindingSourceImplBase<T, IArrayProperty<T>, Internal::CBindingSourceLocking>>
{
    using Storing = Internal::TStoringArrayBindingSourceImplBase<
        T, Internal::TArrayBindingSourceImplBase<T, IArrayProperty<T>, Internal::CBindingSourceLocking>>;

public:
    using Notification = ArrayChangedNotification<T>; ///< What a handler receives: exactly what changed.

    /// An empty array.
    TArrayProperty() = default;
    /// An array holding `initialValues`; nothing is notified.
    explicit TArrayProperty(std::vector<T> initialValues) : Storing(std::move(initialValues)) {}

    ~TArrayProperty() override { this->EndSource(); }

    /// Replaces the whole array. Positions below both sizes whose elements differ (`operator==`) are
    /// reported changed; a longer array reports the new tail inserted, a shorter one the old tail removed.
    /// Never a no-op: an identical array notifies with all lists empty.
    void Set(std::vector<T> const& values) override
    {
        Edit(
            [&values](Notification& notification, std::vector<T>& current, Dying& dying)
            {
                std::size_t const oldSize = current.size();
                std::size_t const newSize = values.size();
                std::size_t const common = std::min(oldSize, newSize);
                std::size_t differing = 0;
                for (std::size_t i = 0; i < common; ++i)
                    differing += current[i] == values[i] ? 0 : 1;
                notification.changedIndices.reserve(differing);
                notification.changedValues.reserve(differing);
                for (std::size_t i = 0; i < common && notification.changedIndices.size() < differing; ++i)
                {
                    if (!(current[i] == values[i]))
                    {
                        notification.changedIndices.push_back(i);
                        notification.changedValues.push_back(values[i]);
                    }
                }
                if (newSize < oldSize)
                {
                    notification.removalKind = EArrayRemovalKind::Indices;
                    AddPositions(notification.removedIndices, newSize, oldSize);
                }
                else if (newSize > oldSize)
                {
                    AddPositions(notification.insertedIndices, oldSize, newSize);
                    notification.insertedValues.assign(values.begin() + static_cast<std::ptrdiff_t>(oldSize),
                                                       values.end());
                }
                dying.Take(current);
                current = values;
                return true;
            });
    }

    /// Replaces the element at `index` (reported changed, also when equal); beyond the end the array grows
    /// to `index + 1` with default elements before `value`, all reported inserted.
    void SetAt(std::size_t index, T const& value) override
    {
        Edit(
            [index, &value](Notification& notification, std::vector<T>& current, Dying& dying)
            {
                if (index >= current.size())
                    return InsertLocked(notification, current, index, &value, &value + 1);
                notification.changedIndices.assign(1, index);
                notification.changedValues.assign(1, value);
                dying.Keep(current.begin() + static_cast<std::ptrdiff_t>(index), 1);
                current[index] = value;
                return true;
            });
    }

    /// Overwrites the elements from `index` on (reported changed); elements past the old end are appended,
    /// after default elements up to `index` (reported inserted). Nothing happens for empty `values`.
    void SetRange(std::size_t index, std::vector<T> const& values) override
    {
        Edit(
            [index, &values](Notification& notification, std::vector<T>& current, Dying& dying)
            {
                if (values.empty())
                    return false;
                std::size_t const overwritten =
                    index < current.size() ? std::min(values.size(), current.size() - index) : 0;
                auto const split = values.begin() + static_cast<std::ptrdiff_t>(overwritten);
                if (overwritten != 0)
                {
                    AddPositions(notification.changedIndices, index, index + overwritten);
                    notification.changedValues.assign(values.begin(), split);
                    dying.Keep(current.begin() + static_cast<std::ptrdiff_t>(index), overwritten);
                    std::copy(values.begin(), split, current.begin() + static_cast<std::ptrdiff_t>(index));
                }
                if (split != values.end())
                    InsertLocked(notification, current, index + overwritten, split, values.end());
                return true;
            });
    }

    /// Inserts `value` before position `index`; beyond the end, default elements fill the gap first.
    void Insert(std::size_t index, T const& value) override
    {
        Edit([index, &value](Notification& notification, std::vector<T>& current, Dying&)
             { return InsertLocked(notification, current, index, &value, &value + 1); });
    }

    /// Inserts `values` before position `index` (gap filled as Insert). Nothing happens for empty `values`.
    void InsertRange(std::size_t index, std::vector<T> const& values) override
    {
        Edit([index, &values](Notification& notification, std::vector<T>& current, Dying&)
             { return InsertLocked(notification, current, index, values.begin(), values.end()); });
    }

    /// Appends `values`. Nothing happens for empty `values`.
    void Append(std::vector<T> const& values) override
    {
        Edit([&values](Notification& notification, std::vector<T>& current, Dying&)
             { return InsertLocked(notification, current, current.size(), values.begin(), values.end()); });
    }

    /// Appends one element.
    void Add(T const& value) override
    {
        Edit([&value](Notification& notification, std::vector<T>& current, Dying&)
             { return InsertLocked(notification, current, current.size(), &value, &value + 1); });
    }

    /// Removes the element at `index`; nothing happens at or beyond the size.
    void RemoveAt(std::size_t index) override
    {
        Edit([index](Notification& notification, std::vector<T>& current, Dying& dying)
             { return index < current.size() && RemoveLocked(notification, current, dying, index, index + 1); });
    }

    /// Removes the positions `[first, min(last, size))`; nothing happens when that range is empty
    /// (`first` at or beyond the size, or `last` not after `first`).
    void RemoveRange(std::size_t first, std::size_t last) override
    {
        Edit([first, last](Notification& notification, std::vector<T>& current, Dying& dying)
             { return RemoveLocked(notification, current, dying, first, last); });
    }

    /// Removes the last element; nothing happens on an empty array.
    void RemoveLast() override
    {
        Edit(
            [](Notification& notification, std::vector<T>& current, Dying& dying) {
                return !current.empty() &&
                       RemoveLocked(notification, current, dying, current.size() - 1, current.size());
            });
    }

    /// Removes every element (`removalKind` 1, no positions); nothing happens on an empty array.
    void Clear() override
    {
        Edit(
            [](Notification& notification, std::vector<T>& current, Dying& dying)
            {
                if (current.empty())
                    return false;
                notification.removalKind = EArrayRemovalKind::All;
                dying.Take(current);
                return true;
            });
    }

private:
    /// Elements leaving the array during an edit. Trivially destructible elements run no code when they
    /// die, so they are simply dropped in place and cost nothing extra.
    class Dying
    {
    public:
        /// Moves the whole of `current` here (leaves it empty).
        void Take(std::vector<T>& current)
        {
            if constexpr (kDefers)
            {
                if (m_elements.empty())
                    m_elements.swap(current);
                else
                    Keep(current.begin(), current.size());
            }
            current.clear();
        }
        /// Copies `count` elements from `first` (the array then erases or overwrites them).
        void Keep([[maybe_unused]] typename std::vector<T>::iterator first, [[maybe_unused]] std::size_t count)
        {
            if constexpr (kDefers)
                m_elements.insert(m_elements.end(), std::make_move_iterator(first),
                                  std::make_move_iterator(first + static_cast<std::ptrdiff_t>(count)));
        }

    private:
        static constexpr bool kDefers = !std::is_trivially_destructible_v<T>;
        std::vector<T> m_elements;
    };

    /// The frame of every edit: `change` describes the edit in the notification and applies it, under the
    /// writer lock, and returns false when it changes nothing.
    template <class Change> void Edit(Change&& change)
    {
        Dying dying; // declared before the lock: its elements die after the lock is released
        std::unique_lock<CSharedMutex> writer = this->LockArrayForWriting();
        Notification notification;
        try
        {
            if (!change(notification, this->ValuesLocked(), dying))
                return;
        }
        catch (...)
        {
            std::vector<T> left; // dies after FireLocked released the lock
            left.swap(this->ValuesLocked());
            Notification cleared;
            cleared.removalKind = EArrayRemovalKind::All;
            this->FireLocked(cleared, writer);
            throw;
        }
        this->FireLocked(notification, writer);
    }

    static void AddPositions(std::vector<std::size_t>& positions, std::size_t first, std::size_t last)
    {
        std::size_t const before = positions.size();
        positions.resize(before + (last - first));
        std::iota(positions.begin() + static_cast<std::ptrdiff_t>(before), positions.end(), first);
    }

    /// Inserts `[first, last)` before `index`; an index beyond the end is preceded by default elements.
    template <class Iterator>
    static bool InsertLocked(Notification& notification, std::vector<T>& current, std::size_t index,
                             Iterator first, Iterator last)
    {
        std::size_t const count = static_cast<std::size_t>(std::distance(first, last));
        if (count == 0)
            return false;
        std::size_t const start = std::min(index, current.size());
        std::size_t const gap = index - start;
        AddPositions(notification.insertedIndices, start, index + count);
        notification.insertedValues.reserve(gap + count);
        notification.insertedValues.resize(gap);
        notification.insertedValues.insert(notification.insertedValues.end(), first, last);
        current.insert(current.begin() + static_cast<std::ptrdiff_t>(start),
                       notification.insertedValues.begin(), notification.insertedValues.end());
        return true;
    }

    static bool RemoveLocked(Notification& notification, std::vector<T>& current, Dying& dying,
                             std::size_t first, std::size_t last)
    {
        std::size_t const end = std::min(last, current.size());
        if (first >= end)
            return false;
        dying.Keep(current.begin() + static_cast<std::ptrdiff_t>(first), end - first);
        notification.removalKind = EArrayRemovalKind::Indices;
        AddPositions(notification.removedIndices, first, end);
        current.erase(current.begin() + static_cast<std::ptrdiff_t>(first),
                      current.begin() + static_cast<std::ptrdiff_t>(end));
        return true;
    }
};
} // namespace Base::Binding
