#pragma once
#include "base/orx2basepool/applyarraychangednotification.h"
#include "base/orx2basepool/tarrayobserver.h"

#include <type_traits>
#include <utility>
#include <vector>

namespace Base::Binding
{
namespace Internal
{
/// Keeps the observer's own copy of the array and hands the whole copy to the callback after each change.
template <class T, class Callable> class TFullArrayCallback
{
public:
    explicit TFullArrayCallback(Callable callback) : m_callback(std::move(callback)) {}

    void operator()(ArrayChangedNotification<T> const& notification)
    {
        ApplyArrayChangedNotification(m_copy, notification);
        m_callback(static_cast<std::vector<T> const&>(m_copy));
    }

private:
    Callable m_callback;
    std::vector<T> m_copy;
};
} // namespace Internal

/// Keeps its own copy of `source`'s array and calls `callback(std::vector<T> const&)` with the whole copy:
/// once at binding (inside the constructor, on this thread) and after every change; the source's end
/// (`removalKind` 3) empties the copy and calls once more. Calls never overlap; they run while the source
/// holds its reader lock, so inside the callback the copy equals what the source reads. The callback must
/// not edit the source. `source` must outlive the binding or announce its end. Throws what the first
/// call throws; if copying an element throws later, the copy is left partly updated.
template <class T, class Callable> class TFullArrayObserver : public TArrayObserver<T>
{
public:
    TFullArrayObserver() noexcept = default;
    /// Binds `callback` to `source`: called first with the whole array, then after each change.
    TFullArrayObserver(IArrayBindingSource<T> const& source, Callable callback)
        : TArrayObserver<T>(Internal::MakeBoundArrayObserverImpl<T>(
              source, Internal::TFullArrayCallback<T, Callable>(std::move(callback))))
    {
    }
};

/// Deduces `T` from the source and the callback type: `member = MakeFullArrayObserver(source, lambda)`.
template <class T, class Callable>
TFullArrayObserver<T, std::decay_t<Callable>> MakeFullArrayObserver(IArrayBindingSource<T> const& source,
                                                                    Callable&& callback)
{
    return TFullArrayObserver<T, std::decay_t<Callable>>(source, std::forward<Callable>(callback));
}
} // namespace Base::Binding
