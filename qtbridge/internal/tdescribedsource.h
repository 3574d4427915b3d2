#pragma once
// The typed side of a view-model map: one generic walk over an interface's description reads its
// values, connects to its notifications, makes its children and runs its commands. Included by
// cviewmodelmap.h; nothing here is meant to be used directly.
#include "qtbridge/carraylistmodel.h"
#include "qtbridge/describedinterfaces.h"
#include "qtbridge/tslotwatch.h"
#include "qtbridge/variantconversion.h"

#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tvaluestreamnotification.h"

#include <QtDebug>

#include <exception>
#include <tuple>
#include <type_traits>

#include <utility>

namespace Orx2Qt
{
template <class I> CViewModelMap* MakeViewModelMap(std::shared_ptr<I> const& viewModel, QObject* parent);

namespace Internal
{
using Base::EMemberKind;

/// The view model a map binds: held weakly, or not at all for an object that outlives the map.
template <class I> class THandle
{
public:
    explicit THandle(std::shared_ptr<I> const& shared) : m_shared(shared) {}
    explicit THandle(I& unowned) : m_unowned(&unowned) {}

    /// The view model, or empty once it is gone. An unowned one comes back as a pointer owning nothing.
    std::shared_ptr<I> Lock() const
    {
        return m_unowned != nullptr ? std::shared_ptr<I>(std::shared_ptr<I>(), m_unowned) : m_shared.lock();
    }

private:
    std::weak_ptr<I> m_shared;
    I* m_unowned = nullptr;
};

/// A hold on a view model that is never its last reference inside a delivery: a hold taken on a
/// notifying thread lets go only after the notification (Base::CDeliveryScope).
template <class X> struct THeld
{
    std::shared_ptr<X> pointer;
    ~THeld() { Base::CDeliveryScope::ReleaseAfterDelivery(std::move(pointer)); }
};

/// Whether a member is one of the map's values: a property, plain value, value source or area value
/// whose type converts to QML.
template <class Member> constexpr bool IsValue()
{
    constexpr EMemberKind kind = Member::kKind;
    if constexpr (kind == EMemberKind::Property || kind == EMemberKind::Value ||
                  kind == EMemberKind::ValueSource || kind == EMemberKind::AreaValue)
        return kConvertsToQml<typename Member::Type>;
    else
        return false;
}

/// For array elements: a pointer to a described view model becomes a map.
template <class E> struct TViewModelPointer : std::false_type
{
};
template <class X> struct TViewModelPointer<std::shared_ptr<X>> : std::bool_constant<Base::kIsDescribed<X>>
{
};

inline QVariant AsQml(QObject* object)
{
    return QVariant::fromValue(object);
}

/// Converts QML arguments to a command's argument types.
template <class Arguments> struct TArguments;
template <class... Args> struct TArguments<std::tuple<Args...>>
{
    using EExecuted = IViewModelSource::EExecuted;

    /// Calls `run` with the converted arguments and returns what it returns; Refused (and why, in
    /// `problem`) when they do not fit.
    template <class Run> static EExecuted Apply(QVariantList const& given, QString& problem, Run&& run)
    {
        if constexpr (!(kConvertsFromQml<Args> && ...))
        {
            static_cast<void>(given), static_cast<void>(run);
            problem = QStringLiteral("takes arguments QML cannot give");
            return EExecuted::Refused;
        }
        else
        {
            if (given.size() != static_cast<qsizetype>(sizeof...(Args)))
            {
                problem =
                    QStringLiteral("takes %1 argument(s), %2 given").arg(sizeof...(Args)).arg(given.size());
                return EExecuted::Refused;
            }
            std::tuple<std::optional<std::decay_t<Args>>...> values;
            if (!Convert(given, values, problem, std::index_sequence_for<Args...>()))
                return EExecuted::Refused;
            return std::apply([&run](auto&... value) { return run(*value...); }, values);
        }
    }

private:
    template <class Values, std::size_t... Index>
    static bool Convert(QVariantList const& given, Values& values, QString& problem,
                        std::index_sequence<Index...>)
    {
        return (ConvertOne<Index>(given, std::get<Index>(values), problem) && ...);
    }
    template <std::size_t Index, class T>
    static bool ConvertOne(QVariantList const& given, std::optional<T>& value, QString& problem)
    {
        QVariant const& argument = given[static_cast<qsizetype>(Index)];
        value = TVariantConversion<T>::FromQml(argument);
        if (!value)
            problem = QStringLiteral("argument %1 is %2 (%3), not %4")
                          .arg(Index + 1)
                          .arg(argument.toString(), QString::fromUtf8(argument.metaType().name()),
                               QString::fromUtf8(TVariantConversion<T>::kName));
        return value.has_value();
    }
};

template <class I> class TDescribedSource final : public IViewModelSource
{
public:
    explicit TDescribedSource(THandle<I> handle) : m_handle(std::move(handle)) {}

    QString Name() const override { return TypeName(typeid(I)); }

    QStringList Keys() const override
    {
        QStringList keys;
        Base::ForEachMember<I>(
            [&keys](auto const& member)
            {
                if constexpr (IsValue<std::decay_t<decltype(member)>>())
                    keys.push_back(QmlName(member.name));
            });
        return keys;
    }

    bool Read(QVector<QVariant>& values) const override
    {
        THeld<I> const held{m_handle.Lock()};
        if (!held.pointer)
            return false;
        values.clear();
        Base::ForEachMember<I>(
            [&](auto const& member)
            {
                if constexpr (IsValue<std::decay_t<decltype(member)>>())
                    values.push_back(ReadValue(member, *held.pointer));
            });
        return true;
    }

    std::vector<Base::CScopedEventSignalConnection>
    ConnectToChanges(std::function<void()> handler) const override
    {
        std::vector<Base::CScopedEventSignalConnection> connections;
        THeld<I> const held{m_handle.Lock()};
        if (!held.pointer)
            return connections;
        if constexpr (std::is_base_of_v<Base::INotifyPropertyChanged, I>)
            connections.push_back(held.pointer->GetPropertyChangedEventSignal().Connect(
                Base::MakeEventSignalHandler<void>(handler)));
        Base::ForEachMember<I>(
            [&](auto const& member)
            {
                using Member = std::decay_t<decltype(member)>;
                if constexpr (Member::kKind == EMemberKind::ValueSource && IsValue<Member>())
                {
                    using Notification = Base::Binding::TValueStreamNotification<typename Member::Type>;
                    connections.push_back(
                        member.Source(*held.pointer)
                            .ConnectToValueStreamAndNotify(Base::MakeEventSignalHandler<Notification const&>(
                                [handler](Notification const& notification)
                                {
                                    if (notification.value.HasValue())
                                        handler();
                                })));
                }
            });
        return connections;
    }

    void AddChildren(CViewModelMap& map) const override
    {
        THeld<I> const held{m_handle.Lock()};
        Base::ForEachMember<I>([&](auto const& member) { AddChild(map, member, held.pointer.get()); });
    }

    EExecuted Execute(QString const& name, QVariantList const& arguments, QString& problem) const override
    {
        EExecuted result = EExecuted::UnknownName;
        Base::ForEachMember<I>(
            [&](auto const& member)
            {
                using Member = std::decay_t<decltype(member)>;
                if constexpr (Member::kKind == EMemberKind::Command)
                {
                    if (result != EExecuted::UnknownName || QmlName(member.name) != name)
                        return;
                    result = TArguments<typename Member::Arguments>::Apply(
                        arguments, problem,
                        [&](auto&... values)
                        {
                            THeld<I> const held{m_handle.Lock()};
                            if (!held.pointer)
                                return EExecuted::Gone;
                            return member.Execute(*held.pointer, values...) ? EExecuted::Ran
                                                                            : EExecuted::NotInstalled;
                        });
                }
            });
        return result;
    }

    std::optional<std::wstring> CommandName(QString const& name) const override
    {
        std::optional<std::wstring> found;
        Base::ForEachMember<I>(
            [&](auto const& member)
            {
                if constexpr (std::decay_t<decltype(member)>::kKind == EMemberKind::Command)
                {
                    if (found || QmlName(member.name) != name)
                        return;
                    found.emplace();
                    THeld<I> const held{m_handle.Lock()};
                    if (!held.pointer)
                        return;
                    if (auto const command = member.Read(*held.pointer))
                        found = command->GetName();
                }
            });
        return found;
    }

private:
    template <class Member> static QVariant ReadValue(Member const& member, I& owner)
    {
        try
        {
            if constexpr (Member::kKind == EMemberKind::AreaValue)
            {
                QVariantList perArea;
                for (std::size_t area = 0; area < Base::kAreaItemCount; ++area)
                    perArea.append(ReadArea(member, owner, static_cast<Base::EAreaItems>(area)));
                return perArea;
            }
            else
                return ToQml(member.Read(owner));
        }
        catch (std::exception const& error)
        {
            qWarning("orx2 qtbridge: %s.%s cannot be read: %s", qUtf8Printable(TypeName(typeid(I))),
                     member.name, error.what());
            return {};
        }
    }

    /// An area whose value cannot be read (its host object is gone) is undefined in the list.
    template <class Member> static QVariant ReadArea(Member const& member, I& owner, Base::EAreaItems area)
    {
        try
        {
            return ToQml(member.Read(owner, area));
        }
        catch (std::exception const&)
        {
            return {};
        }
    }

    template <class X> static QObject* MapOf(std::shared_ptr<X> pointer, QObject* parent)
    {
        THeld<X> const held{std::move(pointer)};
        return held.pointer ? MakeViewModelMap<X>(held.pointer, parent) : nullptr;
    }

    /// The children of one member: a map, a list of maps, a list model or a followed slot. A gone view
    /// model leaves its children's keys empty.
    template <class Member> static void AddChild(CViewModelMap& map, Member const& member, I* owner)
    {
        constexpr EMemberKind kind = Member::kKind;
        if constexpr (kind == EMemberKind::ViewModel || kind == EMemberKind::ViewModelGroup ||
                      kind == EMemberKind::Slot)
        {
            using X = typename Member::Interface;
            if constexpr (Base::kIsDescribed<X>)
            {
                QString const key = QmlName(member.name);
                if constexpr (kind == EMemberKind::ViewModel)
                    map.SetChild(key, owner != nullptr ? MapOf<X>(member.Read(*owner), &map) : nullptr);
                else if constexpr (kind == EMemberKind::ViewModelGroup)
                {
                    QVariantList group;
                    if (owner != nullptr)
                        for (auto const& element : member.Read(*owner))
                            group.append(AsQml(MapOf<X>(element, &map)));
                    map.insert(key, group);
                }
                else
                {
                    map.SetChild(key, nullptr);
                    if (owner != nullptr)
                        map.Keep(std::make_shared<TSlotWatch<X>>(
                            member.Source(*owner), [&map, key](std::shared_ptr<X> const& viewModel)
                            { map.SetChild(key, MapOf<X>(viewModel, &map)); }));
                }
            }
        }
        else if constexpr (kind == EMemberKind::ArraySource)
        {
            using E = typename Member::Element;
            constexpr bool kViewModels = TViewModelPointer<E>::value;
            if constexpr (kViewModels || kConvertsToQml<E>)
            {
                QString const role = kViewModels ? QStringLiteral("item") : QStringLiteral("value");
                std::function<QVariantMap(E const&)> toRow = [role](E const& element)
                {
                    if constexpr (kViewModels)
                        return QVariantMap{{role, AsQml(MapOf(element, nullptr))}};
                    else
                        return QVariantMap{{role, ToQml(element)}};
                };
                std::shared_ptr<void const> lifetime;
                if (owner != nullptr) // held by AddChildren while the list connects
                    lifetime = std::shared_ptr<I>(std::shared_ptr<I>(), owner);
                map.SetChild(QmlName(member.name),
                             owner != nullptr ? MakeArrayListModel<E>(member.Source(*owner), lifetime, {role},
                                                                      std::move(toRow), &map)
                                              : nullptr);
            }
        }
    }

    THandle<I> const m_handle;
};
} // namespace Internal
} // namespace Orx2Qt
