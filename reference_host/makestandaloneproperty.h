#pragma once
// A property that nobody else owns, such as the host's property of the selected scan area.
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/csilentchangeowner.h"
#include "base/orx2basepool/tproperty.h"

#include <memory>

namespace ReferenceHost
{
namespace Internal
{
/// Owns one property, with a change owner nobody listens to.
template <class T>
struct TStandalonePropertyHolder final
{
    explicit TStandalonePropertyHolder(T const& initialValue) : property(initialValue, owner) {}

    Base::CSilentChangeOwner owner;
    Base::TProperty<T> property;
};
} // namespace Internal

/// Makes a property with `initialValue` that lives as long as the returned pointer (or a copy of it).
/// Thread-safe like every property. Throws std::bad_alloc.
template <class T> std::shared_ptr<Base::IProperty<T>> MakeStandaloneProperty(T const& initialValue)
{
    auto holder = std::make_shared<Internal::TStandalonePropertyHolder<T>>(initialValue);
    return std::shared_ptr<Base::IProperty<T>>(holder, &holder->property);
}
} // namespace ReferenceHost
