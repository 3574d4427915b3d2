#pragma once
// The members of view models and models as their descriptions name them: one conversion from the
// library's value types to JSON, the named values of a described object (AddDescribed, AddDescribedSlots)
// and the snapshot of everything a GUI could bind. A GUI binds by the descriptions' names, so the
// simulator shows those names instead of keeping a list of its own.
#include "cpropertycatalog.h"
#include "simtext.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/ieventsignalhandler.h"
#include "base/orx2basepool/interfaces/iguiconfiguration.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
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
/// How a value of type `T` is shown: `ToJson(value)`. A type without a specialisation is not shown: its
/// members are left out of the named values and are null in a snapshot.
template <class T, class = void> struct TShown
{
    static constexpr bool kShown = false;
};
template <class T> inline constexpr bool kShown = TShown<T>::kShown;
template <class T> Json ToJson(T const& value)
{
    return TShown<T>::ToJson(value);
}

/// A float as its shortest text reads, so that 0.1f shows as 0.1.
Json FloatJson(float value);

template <class T> struct TShown<T, std::enable_if_t<std::is_arithmetic_v<T>>>
{
    static constexpr bool kShown = true;
    static Json ToJson(T value)
    {
        if constexpr (std::is_same_v<T, float>)
            return FloatJson(value);
        else
            return Json(value);
    }
};
/// Areas by name, enumerations with words (TEnumNames) by word, any other enumeration as its number.
template <class E> struct TShown<E, std::enable_if_t<std::is_enum_v<E>>>
{
    static constexpr bool kShown = true;
    static Json ToJson(E value)
    {
        if constexpr (std::is_same_v<E, Base::EAreaItems>)
            return AreaText(value);
        else if constexpr (kHasNames<E>)
            return EnumText(value);
        else
            return Json(static_cast<std::underlying_type_t<E>>(value));
    }
};
template <> struct TShown<std::wstring>
{
    static constexpr bool kShown = true;
    static Json ToJson(std::wstring const& value) { return Narrow(value); }
};
template <> struct TShown<CStringW>
{
    static constexpr bool kShown = true;
    static Json ToJson(CStringW const& value) { return Narrow(value.GetStdString()); }
};
/// A command as the name it is registered under; null while none is installed.
template <class... Args> struct TShown<std::shared_ptr<Base::ICommand<Args...>>>
{
    static constexpr bool kShown = true;
    static Json ToJson(std::shared_ptr<Base::ICommand<Args...>> const& command)
    {
        return command ? Json(Narrow(command->GetName())) : Json();
    }
};
/// A host image: "name WIDTHxHEIGHT" for the reference host's, null for none.
template <> struct TShown<std::shared_ptr<Base::IImageData2DSimple const>>
{
    static constexpr bool kShown = true;
    static Json ToJson(std::shared_ptr<Base::IImageData2DSimple const> const& image);
};
// Records show as objects; a named value of a record becomes one value per field.
template <> struct TShown<Base::CCalibrationWaitRequest>
{
    static constexpr bool kShown = true;
    static Json ToJson(Base::CCalibrationWaitRequest const& request);
};
template <> struct TShown<Base::CDeviceStateChanged>
{
    static constexpr bool kShown = true;
    static Json ToJson(Base::CDeviceStateChanged const& state);
};
/// A reconstruction result as the size of its triangulation; null without one.
template <> struct TShown<DataLayer::CReconstructionResult>
{
    static constexpr bool kShown = true;
    static Json ToJson(DataLayer::CReconstructionResult const& result);
};
template <class E> struct TShown<std::vector<E>, std::enable_if_t<TShown<E>::kShown>>
{
    static constexpr bool kShown = true;
    static Json ToJson(std::vector<E> const& values)
    {
        Json shown = Json::array();
        for (E const& value : values)
            shown.push_back(TShown<E>::ToJson(value));
        return shown;
    }
};

namespace Described
{
using Base::EMemberKind;
using Notify = CPropertyCatalog::Notify;
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

/// Declares `name` read by `read` (guarded); a record becomes one value per field ("name.Field").
void AddShown(CPropertyCatalog& catalog, std::string const& name, std::size_t source,
              CPropertyCatalog::Reader const& read, std::string const& help);

template <class X> struct TIsViewModelPointer : std::false_type
{
};
template <class X> struct TIsViewModelPointer<std::shared_ptr<X>> : std::bool_constant<Base::kIsDescribed<X>>
{
};
/// Whether a member is an array source of view models.
template <class Member, class = void> struct TIsViewModelArray : std::false_type
{
};
template <class Member>
struct TIsViewModelArray<Member, std::void_t<typename Member::Element>> : TIsViewModelPointer<typename Member::Element>
{
};

/// Declares the shown members of the object `resolve` leads to, as "prefix.Member", recursively into its
/// sub-view-models and groups; only what exists now is declared. Members re-read on the owner's
/// PropertyChanged; value and array sources on their own changes; area values are named per area
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
    auto const ownerSource = [&]() -> std::size_t
    {
        if (owner)
            return *owner;
        if constexpr (std::is_base_of_v<Base::INotifyPropertyChanged, I>)
            owner = AddFollowingSource(
                catalog, prefix, "PropertyChanged", static_cast<Base::INotifyPropertyChanged const*>(now.get()),
                rootChanges,
                [resolve](Notify const& notify) -> std::shared_ptr<void>
                {
                    auto const object = resolve();
                    if (!object)
                        return nullptr;
                    auto connection = std::make_shared<Base::CScopedEventSignalConnection>(
                        object->GetPropertyChangedEventSignal().Connect(
                            Base::MakeEventSignalHandler<void>([notify] { notify(); })));
                    return std::make_shared<std::pair<std::shared_ptr<I>, decltype(connection)>>(object, connection);
                });
        else // nothing notifies: a GUI sees a change on its next full redraw only
            owner = catalog.AddSource(
                prefix, "none", [](Notify) { return std::shared_ptr<void>(); }, now.get());
        return *owner;
    };
    Base::ForEachMember<I>(
        [&](auto const& member)
        {
            using Member = std::decay_t<decltype(member)>;
            constexpr EMemberKind kKind = Member::kKind;
            std::string const name = prefix + "." + member.name;
            std::string const help = std::string(member.name) + " of " + prefix;
            if constexpr (kKind == EMemberKind::Property || kKind == EMemberKind::Value ||
                          kKind == EMemberKind::Command)
            {
                if constexpr (kShown<typename Member::Type>)
                    AddShown(catalog, name, ownerSource(),
                             [resolve, member]
                             {
                                 auto const object = resolve();
                                 return object ? ToJson(member.Read(*object)) : Json();
                             },
                             help);
            }
            else if constexpr (kKind == EMemberKind::AreaValue)
            {
                if constexpr (kShown<typename Member::Type>)
                    for (Base::EAreaItems const area : RealAreas())
                        AddShown(catalog, "Area." + AreaText(area) + "." + member.name, ownerSource(),
                                 [resolve, member, area]
                                 {
                                     auto const object = resolve();
                                     return object ? ToJson(member.Read(*object, area)) : Json();
                                 },
                                 help + " for the area");
            }
            else if constexpr (kKind == EMemberKind::ValueSource || kKind == EMemberKind::ArraySource)
            {
                if constexpr (kShown<typename Member::Type>)
                {
                    std::size_t const source = AddFollowingSource(
                        catalog, name, kKind == EMemberKind::ValueSource ? "ValueChanged" : "ArrayChanged",
                        &member.Source(*now), rootChanges,
                        [resolve, member](Notify const& notify) -> std::shared_ptr<void>
                        {
                            auto const object = resolve();
                            if (!object)
                                return nullptr;
                            if constexpr (kKind == EMemberKind::ValueSource)
                                return std::make_shared<std::pair<
                                    std::shared_ptr<I>, Base::Binding::TValueChangedObserver<typename Member::Type>>>(
                                    object, Base::Binding::TValueChangedObserver<typename Member::Type>(
                                                member.Source(*object),
                                                [notify](typename Member::Type const&) { notify(); }));
                            else
                                return std::make_shared<std::pair<
                                    std::shared_ptr<I>, Base::Binding::TArrayObserver<typename Member::Element>>>(
                                    object,
                                    Base::Binding::MakeArrayChangeObserver(
                                        member.Source(*object),
                                        [notify](Base::Binding::ArrayChangedNotification<typename Member::Element> const&)
                                        { notify(); }));
                        });
                    AddShown(catalog, name, source,
                             [resolve, member]
                             {
                                 auto const object = resolve();
                                 return object ? ToJson(member.Read(*object)) : Json();
                             },
                             help);
                }
            }
            else if constexpr (kKind == EMemberKind::ViewModel)
            {
                using X = typename Member::Interface;
                if constexpr (Base::kIsDescribed<X>)
                    Declare<X>(
                        catalog, name,
                        [resolve, member]() -> std::shared_ptr<X>
                        {
                            auto const object = resolve();
                            return object ? member.Read(*object) : nullptr;
                        },
                        rootChanges);
            }
            else if constexpr (kKind == EMemberKind::ViewModelGroup)
            {
                using X = typename Member::Interface;
                if constexpr (Base::kIsDescribed<X>)
                    for (std::size_t index = 0; index < Member::kCount; ++index)
                        Declare<X>(catalog,
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

template <class X> Json SnapshotOrEmpty(std::shared_ptr<X> const& object)
{
    if (!object)
        return Json();
    if constexpr (Base::kIsDescribed<X>)
        return Snapshot(*object);
    else
        return Json::object();
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
                shown[member.name] = SnapshotOrEmpty(member.Read(object));
            else if constexpr (kKind == EMemberKind::ViewModelGroup)
            {
                Json items = Json::array();
                for (auto const& item : member.Read(object))
                    items.push_back(SnapshotOrEmpty(item));
                shown[member.name] = std::move(items);
            }
            else if constexpr (kKind == EMemberKind::AreaValue)
            {
                Json areas = kShown<typename Member::Type> ? Json::object() : Json();
                if constexpr (kShown<typename Member::Type>)
                    for (Base::EAreaItems const area : RealAreas())
                        areas[AreaText(area)] = Guarded([&] { return ToJson(member.Read(object, area)); });
                shown[member.name] = std::move(areas);
            }
            else if constexpr (TIsViewModelArray<Member>::value)
            {
                Json items = Json::array();
                for (auto const& item : member.Read(object))
                    items.push_back(SnapshotOrEmpty(item));
                shown[member.name] = std::move(items);
            }
            else if constexpr (kShown<typename Member::Type>)
                shown[member.name] = Guarded([&] { return ToJson(member.Read(object)); });
            else
                shown[member.name] = Json();
        });
    return shown;
}
} // namespace Described

/// Declares the shown members of `object` as named values "prefix.Member" (see Described::Declare).
/// The object is held weakly: a value reads null once it is gone.
template <class I>
void AddDescribed(CPropertyCatalog& catalog, std::string const& prefix, std::shared_ptr<I> const& object)
{
    std::weak_ptr<I> const weak = object;
    Described::Declare<I>(catalog, prefix, [weak] { return weak.lock(); }, {});
}
/// The same for an object that outlives every use of the catalog.
template <class I> void AddDescribed(CPropertyCatalog& catalog, std::string const& prefix, I const& object)
{
    std::shared_ptr<I> const unowned(std::shared_ptr<void>(), const_cast<I*>(&object));
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
