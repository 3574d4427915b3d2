#pragma once
#include "ctimeline.h"

#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/ivaluestreamsource.h"
#include "base/orx2basepool/tarraychangeobserver.h"
#include "base/orx2basepool/tvaluestreamobserver.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Orx2Sim
{
/// The named values of the screen ("Area.LowerJaw.IsObligatory", "Calibration.Awaited"), each with the
/// source whose notifications make a GUI re-read it. Scenarios `expect` them by name, the timeline
/// shows how they changed, and `--json` writes them all after each step.
///
/// Modules declare their sources and values once after start-up. Values are read on demand, on the
/// reading thread, and must not change anything. Not thread-safe to declare; reading is as thread-safe as
/// the readers.
using Notify = std::function<void()>;

class CPropertyCatalog
{
public:
    using Reader = std::function<Json()>;
    using Notify = Orx2Sim::Notify;
    /// Connects `notify` to the source's notifications; the returned object keeps the connection (and
    /// ends it, waiting for a running call, when destroyed). May call `notify` at once.
    using Subscribe = std::function<std::shared_ptr<void>(Notify)>;

    struct SSource
    {
        std::string label; ///< "ReconstructionResult", "GUI-locking commands"
        std::string event; ///< "PropertyChanged", "ArrayChanged", "ValueChanged"
        Subscribe subscribe;
        void const* identity = nullptr; ///< the object listened to, so that modules can share a source
    };
    struct SProperty
    {
        std::string name;
        /// Each of these sources makes a GUI re-read the value.
        std::vector<std::size_t> sources;
        Reader read;
        std::string help;
    };

    /// A source with its own way of connecting; returns its index for AddProperty. A source with the
    /// `identity` and `event` of one declared before is that one (its first label stays).
    std::size_t AddSource(std::string label, std::string event, Subscribe subscribe, void const* identity);
    /// The PropertyChanged event of `owner`, which must outlive the catalog's watchers.
    std::size_t AddNotifySource(std::string label, Base::INotifyPropertyChanged const& owner);
    /// Every value change of `source` (which must outlive the catalog's watchers).
    template <class T>
    std::size_t AddValueSource(std::string const& label, Base::Binding::IValueStreamSource<T> const& source);
    /// Every change of the array `source` (which must outlive the catalog's watchers).
    template <class T>
    std::size_t AddArraySource(std::string const& label, Base::Binding::IArrayBindingSource<T> const& source);

    /// Declares the value `name`, re-read when `source` notifies. Throws std::logic_error for a name
    /// declared twice or an unknown source.
    void AddProperty(std::string name, std::size_t source, Reader read, std::string help);
    /// The same for a value that more than one source makes a GUI re-read (an array and its items).
    void AddProperty(std::string name, std::vector<std::size_t> sources, Reader read, std::string help);

    std::vector<SSource> const& GetSources() const noexcept { return m_sources; }
    /// In declaration order.
    std::vector<SProperty> const& GetProperties() const noexcept { return m_properties; }
    /// The value named `name`, or null.
    SProperty const* Find(std::string_view name) const;
    /// The source labelled `label` (a described object's is its name, "Area.LowerJaw"), or empty.
    std::optional<std::size_t> FindSource(std::string_view label) const;

private:
    std::vector<SSource> m_sources;
    std::vector<SProperty> m_properties;
};

/// Calls `notify` on each change of `source` (each PropertyChanged of `owner`) until the result goes;
/// the source must outlive the result's use. Destroying the result waits for a running call.
template <class T>
std::shared_ptr<void> Observe(Base::Binding::IValueStreamSource<T> const& source, Notify notify)
{
    return std::make_shared<Base::Binding::TValueStreamObserver<T>>(
        source, [notify = std::move(notify)](T const&) { notify(); });
}
template <class E>
std::shared_ptr<void> Observe(Base::Binding::IArrayBindingSource<E> const& source, Notify notify)
{
    return std::make_shared<Base::Binding::TArrayObserver<E>>(Base::Binding::MakeArrayChangeObserver(
        source,
        [notify = std::move(notify)](Base::Binding::ArrayChangedNotification<E> const&) { notify(); }));
}
std::shared_ptr<void> Observe(Base::INotifyPropertyChanged const& owner, Notify notify);

template <class T>
std::size_t CPropertyCatalog::AddValueSource(std::string const& label,
                                             Base::Binding::IValueStreamSource<T> const& source)
{
    return AddSource(
        label, "ValueChanged", [&source](Notify notify) { return Observe(source, std::move(notify)); },
        &source);
}

template <class T>
std::size_t CPropertyCatalog::AddArraySource(std::string const& label,
                                             Base::Binding::IArrayBindingSource<T> const& source)
{
    return AddSource(
        label, "ArrayChanged", [&source](Notify notify) { return Observe(source, std::move(notify)); },
        &source);
}
} // namespace Orx2Sim
