#pragma once
// An array source that keeps its elements itself.
#include "base/orx2basepool/internal/tarraybindingsourceimplbase.h"

#include <utility>
#include <vector>

namespace Base::Binding::Internal
{
/// Adds the element vector to `Base` (a `TArrayBindingSourceImplBase`) and implements the reads on it.
/// The `Get…` reads wait for the reader lock; the `TryGet…` reads return an empty optional when the lock
/// is not free at once and never block. All reads return copies; an index at or beyond the size gives
/// an empty optional. Thread-safe.
template <class T, class Base> class TStoringArrayBindingSourceImplBase : public Base
{
public:
    std::vector<T> GetValues() const override
    {
        CSharedLock const reader = this->LockArrayForReading();
        return m_values;
    }

    TOptional<std::vector<T>> TryGetValues() const override
    {
        CSharedLock const reader = this->TryLockArrayForReading();
        if (!reader.owns_lock())
            return TOptional<std::vector<T>>();
        return TOptional<std::vector<T>>(m_values);
    }

    std::size_t GetSize() const override
    {
        CSharedLock const reader = this->LockArrayForReading();
        return m_values.size();
    }

    TOptional<std::size_t> TryGetSize() const override
    {
        CSharedLock const reader = this->TryLockArrayForReading();
        if (!reader.owns_lock())
            return TOptional<std::size_t>();
        return TOptional<std::size_t>(m_values.size());
    }

    TOptional<T> GetAt(std::size_t index) const override
    {
        CSharedLock const reader = this->LockArrayForReading();
        return AtLocked(index);
    }

    TOptional<T> TryGetAt(std::size_t index) const override
    {
        CSharedLock const reader = this->TryLockArrayForReading();
        if (!reader.owns_lock())
            return TOptional<T>();
        return AtLocked(index);
    }

protected:
    explicit TStoringArrayBindingSourceImplBase(std::vector<T> initialValues = {})
        : m_values(std::move(initialValues))
    {
    }

    ~TStoringArrayBindingSourceImplBase() override { EndSource(); }

    /// Empties the array and announces the end of the source (once; later calls do nothing). Final
    /// classes call it first in their destructor, so that handlers of the last notification still meet
    /// a whole object.
    void EndSource()
    {
        std::unique_lock<CSharedMutex> writer(this->GetArrayMutex());
        EndSourceLocked(writer);
    }

    /// As EndSource, with the writer lock held by the caller; releases it. The elements die after the
    /// lock is released: an element's destructor may take locks a reader of this array holds.
    void EndSourceLocked(std::unique_lock<CSharedMutex>& writer)
    {
        std::vector<T> dying;
        if (!this->HasEndedLocked())
            dying.swap(m_values);
        this->FireEndOfSourceLocked(writer);
    }

    std::vector<T> CopyValuesLocked() const override { return m_values; }

    /// The elements, for a derived class that holds the writer lock.
    std::vector<T>& ValuesLocked() noexcept { return m_values; }

private:
    TOptional<T> AtLocked(std::size_t index) const
    {
        if (index >= m_values.size())
            return TOptional<T>();
        return TOptional<T>(m_values[index]);
    }

    std::vector<T> m_values; // guarded by the lock
};
} // namespace Base::Binding::Internal
