#pragma once
// How the data exchange models reach the host's areas: held weakly, looked up per call.
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/internal/lockorthrow.h"
#include "host/contracts/icommonareas.h"

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace BusinessLayer::Internal
{
/// The failure of the models whose host areas are gone.
constexpr wchar_t const* kAreasMustBeSet = L"The areas must be set";

/// True for the real areas 0 to 13, the only ones that index per-area arrays.
constexpr bool IsRealArea(Base::EAreaItems area) noexcept
{
    return area >= Base::EAreaItems::LowerJaw && area < Base::EAreaItems::ItemCount;
}

/// Locks `areas`; throws OrxException "The areas must be set" from (source, line, function) when gone.
template <class Areas>
std::shared_ptr<Areas> LockAreasOrThrow(std::weak_ptr<Areas> const& areas, Base::CSourceFile const& source,
                                        int line, char const* function)
{
    return Base::Internal::LockOrThrow(areas, source, line, function, kAreasMustBeSet);
}

/// The object of `area` when the host reports it instantiated, else empty. Works on const and non-const
/// areas (the matching GetArea overload is chosen).
template <class Areas> auto GetInstantiatedArea(Areas& areas, Base::EAreaItems area)
{
    using AreaObject = std::conditional_t<std::is_const_v<Areas>, ICommonArea const, ICommonArea>;
    std::shared_ptr<AreaObject> object;
    if (areas.IsAreaInstantiated(area))
        areas.GetArea(object, area);
    return object;
}

/// The areas the host lists now, shared by the handlers of one scan of the area set.
using SharedAreaList = std::shared_ptr<std::vector<Base::EAreaItems> const>;

/// Takes `GetAreas` into a list that handlers can share. Throws std::bad_alloc.
inline SharedAreaList TakeAreaList(ICommonAreas const& areas)
{
    auto list = std::make_shared<std::vector<Base::EAreaItems>>();
    areas.GetAreas(*list);
    return list;
}

/// Calls `visit(area, object)` for each area of `list` that the host reports instantiated, in list order.
/// Returns early when `visit` returns false (a `visit` returning void visits all).
template <class Areas, class Visit>
void ForEachInstantiatedArea(Areas& areas, std::vector<Base::EAreaItems> const& list, Visit&& visit)
{
    for (Base::EAreaItems const area : list)
    {
        auto const object = GetInstantiatedArea(areas, area);
        if (!object)
            continue;
        if constexpr (std::is_void_v<decltype(visit(area, object))>)
            visit(area, object);
        else if (!visit(area, object))
            return;
    }
}

/// Connects `callback(value)` to the later values of `source`; the current value is not delivered.
template <class T, class Callback>
Base::CScopedEventSignalConnection ConnectToLaterValues(Base::Binding::IValueBindingSource<T> const& source,
                                                        Callback callback)
{
    using Notification = typename Base::Binding::IValueBindingSource<T>::Notification;
    return source.ConnectToValueStream(Base::MakeEventSignalHandler<Notification const&>(
        [callback = std::move(callback)](Notification const& notification) mutable
        {
            if (notification.value.HasValue())
                callback(notification.value.value());
        }));
}

/// Returns `*get(*areas)`, where `get` returns a pointer into the host's areas, and lets go of `areas`
/// only once the calling thread has left its deliveries: a getter called inside a notification never
/// destroys the host's areas there, even when its hold has become the last one. The reference stays
/// valid only as long as the areas live (see the getters' contracts). Throws what `get` throws.
template <class Areas, class Get> auto& ReferenceInto(std::shared_ptr<Areas> areas, Get&& get)
{
    auto* const result = std::forward<Get>(get)(*areas);
    Base::CDeliveryScope::ReleaseAfterDelivery(std::move(areas));
    return *result;
}

/// Makes sure `area` exists: instantiates it when it does not and the host allows it now. Returns
/// whether the area is instantiated afterwards.
inline bool EnsureAreaInstantiated(ICommonAreas& areas, Base::EAreaItems area)
{
    if (areas.IsAreaInstantiated(area))
        return true;
    if (!areas.CanInstantiateArea(area))
        return false;
    areas.InstantiateArea(area);
    return areas.IsAreaInstantiated(area);
}
} // namespace BusinessLayer::Internal
