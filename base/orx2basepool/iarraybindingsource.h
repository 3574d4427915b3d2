#pragma once
#include "base/orx2basepool/arraychangednotification.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/ieventsignalhandler.h"
#include "base/orx2basepool/toptional.h"

#include <memory>
#include <vector>

namespace Base::Binding
{
/// Something that tells exactly what changed in its list of `T`.
template <class T>
class IArrayChangeStreamSource : public INonCopyable
{
public:
    using Notification = ArrayChangedNotification<T>; ///< What a handler receives: exactly what changed.
    /// A handler of changes, which may disconnect itself.
    using Handler = IEventSignalHandlerWithConnection<Notification const&>;

    virtual ~IArrayChangeStreamSource() = default;
    /// Connects `handler` to later changes only. Handlers run on the editing thread while the source
    /// holds its reader lock: they may read the source but must not edit it.
    virtual CScopedEventSignalConnection ConnectToArrayChangeStream(std::unique_ptr<Handler> handler) const = 0;
};

/// An observable list with reads. The `Get…` reads wait for the reader lock; the `TryGet…` reads never
/// block and return an empty optional when the lock is not free at once. All reads return copies.
template <class T>
class IArrayBindingSource : public IArrayChangeStreamSource<T>
{
public:
    using typename IArrayChangeStreamSource<T>::Handler;

    /// A copy of the whole array; waits for the reader lock.
    virtual std::vector<T> GetValues() const = 0;
    /// A copy of the whole array, or empty when the reader lock is not free at once.
    virtual TOptional<std::vector<T>> TryGetValues() const = 0;
    /// The number of elements; waits for the reader lock.
    virtual std::size_t GetSize() const = 0;
    /// The number of elements, or empty when the reader lock is not free at once.
    virtual TOptional<std::size_t> TryGetSize() const = 0;
    /// Empty for an index at or beyond the size.
    virtual TOptional<T> GetAt(std::size_t index) const = 0;
    /// The element at `index`, or empty for an index at or beyond the size or a lock not free at once.
    virtual TOptional<T> TryGetAt(std::size_t index) const = 0;
    /// Connects and, before returning, calls `handler` once with the whole current array as inserted
    /// (positions 0 … n-1).
    virtual CScopedEventSignalConnection ConnectToArrayChangeStreamAndNotify(std::unique_ptr<Handler> handler) const = 0;
};
} // namespace Base::Binding
