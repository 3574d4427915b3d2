#pragma once
// The members of view models and models as their descriptions name them: one conversion from the
// library's value types to JSON, the named values of a described object (AddDescribed, AddDescribedSlots)
// and the snapshot of everything a GUI could bind. A GUI binds by the descriptions' names, so the
// simulator shows those names instead of keeping a list of its own.
#include "cpropertycatalog.h"
#include "simtext.h"

#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/interfaces/iguiconfiguration.h"
#include "base/orx2basepool/tdescription.h"
#include "host/foundation/cstringw.h"
#include "host/values/ccalibrationwaitrequest.h"
#include "host/values/cdevicestatechanged.h"
#include "host/values/creconstructionresult.h"
#include "host/values/iimagedata2dsimple.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace Base
{
class IDataExchangeConfiguration;
}

namespace Orx2Sim
{
// The types shown by a function of their own: texts; a host image as "name WIDTHxHEIGHT" (null for
// none); a float as its shortest text reads (0.1f as 0.1); records as objects; a reconstruction result
// as the size of its triangulation (null without one).
Json ToJsonOf(std::wstring const& text);
Json ToJsonOf(CStringW const& text);
Json ToJsonOf(std::shared_ptr<Base::IImageData2DSimple const> const& image);
Json ToJsonOf(float value);
Json ToJsonOf(Base::CCalibrationWaitRequest const& request);
Json ToJsonOf(Base::CDeviceStateChanged const& state);
Json ToJsonOf(DataLayer::CReconstructionResult const& result);

namespace Described
{
template <class T> struct TVector : std::false_type
{
};
template <class E> struct TVector<std::vector<E>> : std::true_type
{
    using Element = E;
};
template <class T> struct TCommandPointer : std::false_type
{
};
template <class... Args> struct TCommandPointer<std::shared_ptr<Base::ICommand<Args...>>> : std::true_type
{
};
template <class T, class... Types> inline constexpr bool kOneOf = (std::is_same_v<T, Types> || ...);

template <class T> constexpr bool IsShown()
{
    if constexpr (TVector<T>::value)
        return IsShown<typename TVector<T>::Element>();
    else
        return std::is_arithmetic_v<T> || std::is_enum_v<T> || TCommandPointer<T>::value ||
               kOneOf<T, std::wstring, CStringW, std::shared_ptr<Base::IImageData2DSimple const>,
                      Base::CCalibrationWaitRequest, Base::CDeviceStateChanged,
                      DataLayer::CReconstructionResult>;
}
} // namespace Described

/// Whether the simulator shows values of type `T`. A member of another type is not a named value and is
/// null in a snapshot.
template <class T> inline constexpr bool kShown = Described::IsShown<T>();

/// `value` as the screen, the scenarios and the JSON output show it: numbers; an area by name; an
/// enumeration with words (TEnumNames) by word, any other as its number; a command as the name it is
/// registered under (null while none is installed); a vector as an array; the rest by ToJsonOf.
template <class T> Json ToJson(T const& value)
{
    if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, float>) // a float by ToJsonOf
        return Json(value);
    else if constexpr (std::is_same_v<T, Base::EAreaItems>)
        return AreaText(value);
    else if constexpr (std::is_enum_v<T>)
        return kHasNames<T> ? Json(EnumText(value)) : Json(static_cast<std::underlying_type_t<T>>(value));
    else if constexpr (Described::TCommandPointer<T>::value)
        return value ? Json(Narrow(value->GetName())) : Json();
    else if constexpr (Described::TVector<T>::value)
    {
        Json shown = Json::array();
        for (auto const& item : value)
            shown.push_back(ToJson<typename Described::TVector<T>::Element>(item));
        return shown;
    }
    else
        return ToJsonOf(value);
}

namespace Described
{
using Base::EMemberKind;
template <class I> using Resolve = std::function<std::shared_ptr<I>()>;
/// Connects to what a path leads to now; the result keeps the connection.
using Connect = std::function<std::shared_ptr<void>(Notify const&)>;

/// A source connected to what a path leads to; with `rootChanges` (a slot's changes) it connects anew,
/// and makes the GUI re-read, whenever the root changes.
std::size_t AddFollowingSource(CPropertyCatalog& catalog, std::string label, std::string event,
                               void const* identity, CPropertyCatalog::Subscribe const& rootChanges,
                               Connect connect);

/// What `read` gives, or the text "throws: <what>" when the getter throws (as some of the library's
/// getters do that are not implemented yet): a GUI would meet the same exception.
template <class Read> Json Guarded(Read const& read)
{
    try
    {
        return read();
    }
    catch (std::exception const& error)
    {
        return std::string("throws: ") + error.what();
    }
}

/// What a named value of a member of `kind` shows, for --vocabulary.
char const* KindHelp(EMemberKind kind);

/// Declares `name` read by `read` (guarded); a record becomes one value per field ("name.Field").
void AddShown(CPropertyCatalog& catalog, std::string const& name, std::size_t source,
              CPropertyCatalog::Reader const& read, std::string const& help);

/// Reads `member` (of `area`, for an area value) of the object `resolve` leads to; null while there is none.
template <class I, class Member>
CPropertyCatalog::Reader ReadMember(Resolve<I> const& resolve, Member const& member,
                                    Base::EAreaItems area = Base::EAreaItems::Undefined)
{
    if constexpr (Member::kKind == EMemberKind::AreaValue)
        return [resolve, member, area]
        {
            auto const object = resolve();
            return object ? ToJson(member.Read(*object, area)) : Json();
        };
    else
        return [resolve, member]
        {
            auto const object = resolve();
            return object ? ToJson(member.Read(*object)) : Json();
        };
}

/// Whether a member is an array source of described view models.
template <class Member, class = void> struct TViewModelArray : std::false_type
{
};
template <class X> struct TDescribedPointer : std::false_type
{
};
template <class X> struct TDescribedPointer<std::shared_ptr<X>> : std::bool_constant<Base::kIsDescribed<X>>
{
};
template <class Member>
struct TViewModelArray<Member, std::void_t<typename Member::Element>>
    : TDescribedPointer<typename Member::Element>
{
};

/// Declares the shown members of the object `resolve` leads to, as "prefix.Member", recursively into its
/// sub-view-models and groups; only what exists now is declared, and read through the path each time.
/// Members re-read on the owner's PropertyChanged (an owner that has none: a GUI sees a change on its
/// next full redraw); value and array sources on their own changes. Area values are named per area
/// ("Area.LowerJaw.Member"), the items of a group of one per area by area ("prefix.LowerJaw.Member"),
/// other groups' by position ("prefix.Group.0.Member"). Arrays of view models are left to the snapshot.
template <class I>
void Declare(CPropertyCatalog& catalog, std::string const& prefix, Resolve<I> const& resolve,
             CPropertyCatalog::Subscribe const& rootChanges)
{
    std::shared_ptr<I> const now = resolve();
    if (!now)
        return;
    std::optional<std::size_t> owner;
    auto const ownerSource = [&]
    {
        if constexpr (std::is_base_of_v<Base::INotifyPropertyChanged, I>)
            owner = owner ? owner
                          : AddFollowingSource(catalog, prefix, "PropertyChanged",
                                               static_cast<Base::INotifyPropertyChanged const*>(now.get()),
                                               rootChanges,
                                               [resolve](Notify const& notify)
                                               {
                                                   auto const object = resolve();
                                                   return object ? Observe(*object, notify) : nullptr;
                                               });
        else
            owner = owner ? owner
                          : catalog.AddSource(
                                prefix, "none", [](Notify const&) { return nullptr; }, now.get());
        return *owner;
    };
    Base::ForEachMember<I>(
        [&](auto const& member)
        {
            using Member = std::decay_t<decltype(member)>;
            constexpr EMemberKind kKind = Member::kKind;
            std::string const name = prefix + "." + member.name;
            std::string const help = KindHelp(kKind);
            if constexpr (kKind == EMemberKind::Property || kKind == EMemberKind::Value ||
                          kKind == EMemberKind::Command)
            {
                if constexpr (kShown<typename Member::Type>)
                    AddShown(catalog, name, ownerSource(), ReadMember(resolve, member), help);
            }
            else if constexpr (kKind == EMemberKind::AreaValue)
            {
                if constexpr (kShown<typename Member::Type>)
                    for (Base::EAreaItems const area : RealAreas())
                        AddShown(catalog, "Area." + AreaText(area) + "." + member.name, ownerSource(),
                                 ReadMember(resolve, member, area), help);
            }
            else if constexpr (kKind == EMemberKind::ValueSource || kKind == EMemberKind::ArraySource)
            {
                if constexpr (kShown<typename Member::Type>)
                    AddShown(catalog, name,
                             AddFollowingSource(
                                 catalog, name,
                                 kKind == EMemberKind::ValueSource ? "ValueChanged" : "ArrayChanged",
                                 &member.Source(*now), rootChanges,
                                 [resolve, member](Notify const& notify)
                                 {
                                     auto const object = resolve();
                                     return object ? Observe(member.Source(*object), notify) : nullptr;
                                 }),
                             ReadMember(resolve, member), help);
            }
            else if constexpr (kKind == EMemberKind::ViewModel || kKind == EMemberKind::ViewModelGroup)
            {
                using X = typename Member::Interface;
                if constexpr (Base::kIsDescribed<X> && kKind == EMemberKind::ViewModel)
                    Declare<X>(
                        catalog, name,
                        [resolve, member]() -> std::shared_ptr<X>
                        {
                            auto const object = resolve();
                            return object ? member.Read(*object) : nullptr;
                        },
                        rootChanges);
                else if constexpr (Base::kIsDescribed<X>)
                    for (std::size_t index = 0; index < Member::kCount; ++index)
                        Declare<X>(
                            catalog,
                            Member::kCount == Base::kAreaItemCount
                                ? prefix + "." + AreaText(static_cast<Base::EAreaItems>(index))
                                : name + "." + std::to_string(index),
                            [resolve, member, index]() -> std::shared_ptr<X>
                            {
                                auto const object = resolve();
                                return object ? member.Read(*object)[index] : nullptr;
                            },
                            rootChanges);
            }
            // Slots are roots of their own (AddDescribedSlots); events have no value.
        });
}

template <class I> Json Snapshot(I& object);

template <class X> Json SnapshotOf(std::shared_ptr<X> const& object)
{
    if constexpr (Base::kIsDescribed<X>)
        return object ? Snapshot(*object) : Json();
    else
        return object ? Json::object() : Json();
}

/// Every described member of `object` by its name, recursively (see WriteSnapshot).
template <class I> Json Snapshot(I& object)
{
    Json shown = Json::object();
    Base::ForEachMember<I>(
        [&](auto const& member)
        {
            using Member = std::decay_t<decltype(member)>;
            constexpr EMemberKind kKind = Member::kKind;
            if constexpr (kKind == EMemberKind::Event)
                return;
            else if constexpr (kKind == EMemberKind::ViewModel || kKind == EMemberKind::Slot)
                shown[member.name] = SnapshotOf(member.Read(object));
            else if constexpr (kKind == EMemberKind::ViewModelGroup || TViewModelArray<Member>::value)
            {
                Json& items = shown[member.name] = Json::array();
                for (auto const& item : member.Read(object))
                    items.push_back(SnapshotOf(item));
            }
            else if constexpr (!kShown<typename Member::Type>)
                shown[member.name] = Json();
            else if constexpr (kKind == EMemberKind::AreaValue)
                for (Base::EAreaItems const area : RealAreas())
                    shown[member.name][AreaText(area)] =
                        Guarded([&] { return ToJson(member.Read(object, area)); });
            else
                shown[member.name] = Guarded([&] { return ToJson(member.Read(object)); });
        });
    return shown;
}
} // namespace Described

/// Declares the shown members of `object` as named values "prefix.Member" (see Described::Declare).
/// The object is held weakly: a value reads null once it is gone.
template <class I>
void AddDescribed(CPropertyCatalog& catalog, std::string const& prefix, std::shared_ptr<I> const& object)
{
    Described::Declare<I>(catalog, prefix, [weak = std::weak_ptr<I>(object)] { return weak.lock(); }, {});
}
/// The same for an object that outlives every use of the catalog.
template <class I> void AddDescribed(CPropertyCatalog& catalog, std::string const& prefix, I const& object)
{
    std::shared_ptr<I> unowned(std::shared_ptr<void>(), const_cast<I*>(&object));
    Described::Declare<I>(catalog, prefix, [unowned] { return unowned; }, {});
}

/// Declares what the slots of `gui` hold, each slot by its described name ("LiveImage.CrossHair"),
/// following the slot when it is filled anew, and "Slots": the names of the filled slots. `gui` outlives
/// every use of the catalog.
void AddDescribedSlots(CPropertyCatalog& catalog, Base::IGuiConfiguration const& gui);

/// Everything a GUI could bind, by the descriptions: {"gui": every slot of `gui` with every described
/// member of the view model it holds, "models": every model of `models` likewise}. Sub-view-models,
/// groups and arrays of view models nest as objects and arrays; a command shows as its registered name;
/// an area value as an object by area; an empty slot or pointer, and a member of a type not shown, as
/// null; a view model without a description as {}; events are left out.
Json WriteSnapshot(Base::IGuiConfiguration const& gui, Base::IDataExchangeConfiguration const& models);
} // namespace Orx2Sim
