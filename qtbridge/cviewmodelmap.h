#pragma once
#include "qtbridge/cqueuedcall.h"
#include "qtbridge/orx2qtbridgeexport.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"

#include <QQmlPropertyMap>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <typeinfo>
#include <vector>

namespace Orx2Qt
{
class CViewModelMap;

namespace Internal
{
/// One view model seen through its description, without its type (TDescribedSource). Held by one map.
class IViewModelSource
{
public:
    enum class EExecuted
    {
        Ran,
        NotInstalled, ///< the member holds no command now
        Refused,      ///< the arguments do not fit; the reason is in `problem`
        UnknownName,
        Gone,
    };

    virtual ~IViewModelSource() = default;
    /// The interface, for warnings ("Base::IQRCodeViewModel").
    virtual QString Name() const = 0;
    /// The QML names of the values, in description order.
    virtual QStringList Keys() const = 0;
    /// Reads every value into `values` (Keys order). False when the view model is gone. Any thread.
    virtual bool Read(QVector<QVariant>& values) const = 0;
    /// Connects `handler` to every notification that may change a value; none when the view model is gone.
    virtual std::vector<Base::CScopedEventSignalConnection>
    ConnectToChanges(std::function<void()> handler) const = 0;
    /// GUI thread, once: gives `map` its sub-view-models, lists and followed slots.
    virtual void AddChildren(CViewModelMap& map) const = 0;
    /// Runs the command QML calls `name` on the calling thread. Throws what the command throws.
    virtual EExecuted Execute(QString const& name, QVariantList const& arguments, QString& problem) const = 0;
    /// The registered name of the command QML calls `name` (empty while none is installed or the view
    /// model is gone); nothing when no command has that name.
    virtual std::optional<std::wstring> CommandName(QString const& name) const = 0;
};

/// The readable name of a type ("Base::IAreaViewModel").
ORX2_QTBRIDGE_EXPORT QString TypeName(std::type_info const& type);
} // namespace Internal

/// A view model as QML sees it, made from its description alone (MakeViewModelMap): every described
/// property and plain value under its QML name (QmlName), an area value as a list with one entry per
/// scan area, an array source as a list model (CArrayListModel: role "item" for elements that are view
/// models, each a map of its own; role "value" otherwise), a sub-view-model as a map and a group as a
/// list of maps, and a slot of the GUI configuration as the map of the view model it holds now (the
/// key changes when the slot does). Commands run with `execute(name, arguments)`. Members whose types
/// do not convert (see TVariantConversion) and events are left out.
///
/// Threading: created, used and destroyed on the GUI thread (the thread of the QObject). On each
/// notification of the view model (PropertyChanged, a value source's change), on whatever thread made
/// the change, the map reads every value into a snapshot and posts it; on the GUI thread it then updates
/// only the keys whose value changed, each emitting the notify signal QML bindings listen to. Snapshots
/// that arrive while one is pending merge into the newest, so a burst of changes costs at most one
/// update per change and ends in the values read after the last change. Sub-view-models and lists are
/// made once, with the map: an interface's sub-view-models are fixed for its life.
/// Bad input: a QML write to a key, an unknown command, a wrong number or type of arguments, or a view
/// model that is gone give a warning (qWarning) and change nothing. Nothing throws into the event loop.
/// Lifetime: holds the view model weakly. Once the view model is gone the map keeps its last values.
/// Destroying the map first disconnects from the view model and its slots, waiting for a handler
/// running on another thread (which only posts), and Qt drops what is still posted to it.
class ORX2_QTBRIDGE_EXPORT CViewModelMap : public QQmlPropertyMap
{
    Q_OBJECT

public:
    /// Use MakeViewModelMap. Connects, then reads the values on the calling (GUI) thread.
    CViewModelMap(std::unique_ptr<Internal::IViewModelSource> source, QObject* parent);
    ~CViewModelMap() override;

    /// Runs the command QML calls `name` once, on the calling thread, with `arguments` converted to its
    /// argument types. True when it ran; false when no command is installed under that name (silently)
    /// or, with a warning, when the name is unknown, the arguments do not fit, the view model is gone or
    /// the command threw.
    Q_INVOKABLE bool execute(QString const& name, QVariantList const& arguments = {});
    /// The name the command QML calls `name` is registered under ("Trim.CToolActionViewModelBase.Command_3"),
    /// empty while none is installed; empty with a warning for an unknown name.
    Q_INVOKABLE QString commandName(QString const& name) const;

    // For the binding, on the GUI thread:
    /// Makes `child` (a map, a list model or none) the value of `key`, and its parent; the object the
    /// key held before is deleted once QML has let go of it.
    void SetChild(QString const& key, QObject* child);
    /// Keeps `follower` (a slot watch) until the map is destroyed, when it goes first.
    void Keep(std::shared_ptr<void> follower);

protected:
    /// Refuses writes from QML with a warning: returns the current value.
    QVariant updateValue(QString const& key, QVariant const& input) override;

private:
    void OnChanged();   // notifying thread
    void ApplyLatest(); // GUI thread

    std::unique_ptr<Internal::IViewModelSource> const m_source;
    QString const m_name;
    QStringList const m_keys;
    QVector<QVariant> m_values; // GUI thread: what the keys hold
    std::atomic<quint64> m_readSequence{0};
    std::mutex m_latestMutex;
    quint64 m_latestSequence = 0;              // guarded by m_latestMutex
    std::optional<QVector<QVariant>> m_latest; // guarded by m_latestMutex
    CQueuedCall m_apply;
    std::vector<std::shared_ptr<void>> m_followers;                // released first in the destructor
    std::vector<Base::CScopedEventSignalConnection> m_connections; // then these
};
} // namespace Orx2Qt

#include "qtbridge/internal/tdescribedsource.h"

namespace Orx2Qt
{
/// Makes the map of `viewModel` from the description of its interface `I`, owned by `parent` (GUI
/// thread). Holds the view model weakly; an empty `viewModel` gives a map of empty values. Name the
/// interface when the pointer is of a class: MakeViewModelMap<Base::IAreaViewModel>(panel, parent).
/// Throws std::bad_alloc.
template <class I> CViewModelMap* MakeViewModelMap(std::shared_ptr<I> const& viewModel, QObject* parent)
{
    static_assert(Base::kIsDescribed<I>, "the map is made from the description of an interface: name it");
    return new CViewModelMap(std::make_unique<Internal::TDescribedSource<I>>(Internal::THandle<I>(viewModel)),
                             parent);
}

/// As MakeViewModelMap, for an object that is not shared and outlives the map (the host's GUI
/// configuration or data exchange configuration): MakeConfigurationMap<Base::IGuiConfiguration>(gui, parent).
template <class I> CViewModelMap* MakeConfigurationMap(I& configuration, QObject* parent)
{
    static_assert(Base::kIsDescribed<I>, "the map is made from the description of an interface: name it");
    return new CViewModelMap(
        std::make_unique<Internal::TDescribedSource<I>>(Internal::THandle<I>(configuration)), parent);
}
} // namespace Orx2Qt
