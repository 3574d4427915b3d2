#pragma once
// How a view model is handed to a GUI so that a GUI holding it weakly can never destroy it inside a
// notification.
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/tproperty.h"

#include <memory>
#include <utility>

namespace Base
{
/// A reference to `viewModel` for a GUI: it points to the same object, and when its last copy goes (a
/// GUI that held it weakly re-read it inside a notification and let go of the last hold there), the
/// reference it keeps to `viewModel` is released after the calling thread's outermost delivery, with the
/// notifying locks released (Base::CDeliveryScope), instead of at once. So whoever else lets go meanwhile
/// (a host emptying a slot and dropping its own reference), the view model never dies inside a delivery
/// on that thread. Weak references taken from the result expire once neither a copy of the result nor
/// anyone holding it is left, even while the host still holds `viewModel` itself.
/// An empty pointer gives an empty pointer. Throws std::bad_alloc (nothing is kept then).
template <class T> std::shared_ptr<T> ShareForGui(std::shared_ptr<T> viewModel)
{
    if (!viewModel)
        return nullptr;
    T* const object = viewModel.get();
    return std::shared_ptr<T>(object, [held = std::move(viewModel)](T*) mutable noexcept
                              { CDeliveryScope::ReleaseAfterDelivery(std::move(held)); });
}

/// A slot of the GUI configuration: a property holding one view model of interface `I`. `Set` stores
/// the view model behind ShareForGui, so every pointer a GUI reads from the slot is such a reference; it
/// compares and notifies as a property of pointers does (a new object notifies, the same object again
/// is no change). Thread-safety and lifetime as TProperty.
template <class I> class TViewModelSlot : public TProperty<std::shared_ptr<I>>
{
public:
    /// An empty slot whose changes fire `owner`'s PropertyChanged.
    template <class Owner>
    explicit TViewModelSlot(Owner& owner) : TProperty<std::shared_ptr<I>>(nullptr, owner)
    {
    }

    /// Stores `viewModel` (see the class). Thread-safe. Throws std::bad_alloc and what handlers throw.
    void Set(std::shared_ptr<I> const& viewModel) override { TProperty<std::shared_ptr<I>>::Set(ShareForGui(viewModel)); }
};
} // namespace Base
