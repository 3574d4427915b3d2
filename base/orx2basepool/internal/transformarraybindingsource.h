#pragma once
// Presents an array source of one element type as a source of another.
#include "base/orx2basepool/applyarraychangednotification.h"
#include "base/orx2basepool/internal/cdisconnectonscopeexit.h"
#include "base/orx2basepool/internal/ttemporaryarraybindingsourceimplbase.h"

#include <memory>
#include <utility>
#include <vector>

namespace Base::Binding::Internal
{
/// A temporary source of `To` that follows an `IArrayBindingSource<From>`: it keeps the converted array
/// and fires each notification of the input with its changed and inserted elements converted by
/// `Callable` (`To(From const&)`), positions and removals unchanged. It stays alive while anyone is
/// connected to it (see `TTemporaryArrayBindingSourceImplBase`); when the input announces its end, the
/// transform announces its own (`removalKind` 3) and stays empty.
/// The callable runs under the transform's writer lock, on the thread that changed the input: it must
/// not touch the transform. If it (or copying an element) throws, the transform stops following the
/// input, empties, fires `removalKind` 1 and the exception propagates into the input's notification.
/// The input must outlive the transform or announce its end. Made by `MakeTransformArrayBindingSource`.
template <class From, class To, class Callable>
class TransformArrayBindingSource final
    : public TTemporaryArrayBindingSourceImplBase<To, CBindingSourceLocking>
{
    using Temporary = TTemporaryArrayBindingSourceImplBase<To, CBindingSourceLocking>;

public:
    /// Connects to `source` at once and converts its whole array.
    TransformArrayBindingSource(IArrayBindingSource<From> const& source, Callable convert)
        : Temporary(Follow(source, std::move(convert)))
    {
    }

    class BindingSourceImpl final : public Temporary::BindingSourceImplBase
    {
    public:
        explicit BindingSourceImpl(Callable convert) : m_convert(std::move(convert)) {}

        ~BindingSourceImpl() override
        {
            this->EndSource();
            // Without waiting: the last reference may be dropped by the input handler itself; a handler
            // running on another thread finds the weak reference expired.
            if (std::shared_ptr<IEventSignalConnection> input = m_input.Release())
                input->Disconnect();
        }

        /// Connects to `source`; its initial notification fills the array.
        void StartFollowing(IArrayBindingSource<From> const& source)
        {
            std::weak_ptr<typename Temporary::BindingSourceImplBase> const weak = this->weak_from_this();
            CScopedEventSignalConnection input = source.ConnectToArrayChangeStreamAndNotify(
                MakeEventSignalHandler<ArrayChangedNotification<From> const&>(
                    [weak](ArrayChangedNotification<From> const& notification)
                    {
                        // Keeps the transform alive until its own notification has been delivered,
                        // also when a handler drops the last connection to it.
                        if (auto const self = weak.lock())
                            static_cast<BindingSourceImpl&>(*self).OnInputChanged(notification);
                    }));
            std::unique_lock<CSharedMutex> const writer = this->LockArrayForWriting();
            m_input = std::move(input);
        }

    private:
        void OnInputChanged(ArrayChangedNotification<From> const& input)
        {
            std::unique_lock<CSharedMutex> writer = this->LockArrayForWriting();
            if (!m_following)
                return; // admitted by a fire that started before we stopped following
            // Stopping to follow disconnects without waiting: this runs inside the input's notification.
            if (input.removalKind == EArrayRemovalKind::SourceDestroyed)
            {
                CDisconnectOnScopeExit const stop(m_input.Release());
                m_following = false;
                this->EndSourceLocked(writer);
                return;
            }
            ArrayChangedNotification<To> converted;
            std::vector<To> leaving; // replaced and removed elements die after the lock is released
            try
            {
                converted.status = input.status;
                converted.changedIndices = input.changedIndices;
                converted.changedValues = Convert(input.changedValues);
                converted.insertedIndices = input.insertedIndices;
                converted.insertedValues = Convert(input.insertedValues);
                converted.removalKind = input.removalKind;
                converted.removedIndices = input.removedIndices;
                ApplyArrayChangedNotification(this->ValuesLocked(), converted, &leaving);
            }
            catch (...)
            {
                CDisconnectOnScopeExit const stop(m_input.Release());
                m_following = false;
                leaving.insert(leaving.end(), std::make_move_iterator(this->ValuesLocked().begin()),
                               std::make_move_iterator(this->ValuesLocked().end()));
                this->ValuesLocked().clear();
                ArrayChangedNotification<To> cleared;
                cleared.removalKind = EArrayRemovalKind::All;
                this->FireLocked(cleared, writer);
                throw;
            }
            this->FireLocked(converted, writer);
        }

        std::vector<To> Convert(std::vector<From> const& values)
        {
            std::vector<To> result;
            result.reserve(values.size());
            for (From const& value : values)
                result.push_back(m_convert(value));
            return result;
        }

        Callable m_convert;
        // Both guarded by the lock.
        CScopedEventSignalConnection m_input;
        bool m_following = true;
    };

private:
    static std::shared_ptr<typename Temporary::BindingSourceImplBase>
    Follow(IArrayBindingSource<From> const& source, Callable convert)
    {
        auto impl = std::make_shared<BindingSourceImpl>(std::move(convert));
        impl->StartFollowing(source);
        return impl;
    }
};
} // namespace Base::Binding::Internal
