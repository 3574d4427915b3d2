#pragma once
#include "bridge/cqueuedcall.h"
#include "bridge/tviewmodeltable.h"

#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"

#include <QQmlPropertyMap>
#include <QStringList>
#include <QVector>
#include <QtDebug>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>

namespace Orx2Gui
{
namespace Internal
{
/// One view model seen through its table, without its type. Held by one map.
class IViewModelSource
{
public:
    enum class EExecuted
    {
        Ran,
        UnknownName,
        Gone,
    };

    virtual ~IViewModelSource() = default;
    /// The property names, in table order.
    virtual QStringList Keys() const = 0;
    /// Reads every property into `values` (table order). False when the view model is gone or a reader
    /// threw (the message goes to qWarning). Any thread.
    virtual bool Read(QVector<QVariant>& values) const = 0;
    /// Connects `handler` to the view model's PropertyChanged; empty when the view model is gone.
    virtual Base::CScopedEventSignalConnection ConnectToChanges(std::function<void()> handler) const = 0;
    /// Runs the named command on the calling thread. Throws what the action throws.
    virtual EExecuted Execute(QString const& name, QVariantList const& args) const = 0;
};
} // namespace Internal

/// A view model's properties as named QML values, and its commands as `execute(name, args)`.
///
/// Threading: created, used and destroyed on the GUI thread (the thread of the QObject). On each
/// PropertyChanged, on whatever thread made the change, the map reads every property into a snapshot
/// and posts it; on the GUI thread it then updates only the keys whose value changed, each emitting the
/// notify signal QML bindings listen to. Snapshots that arrive while one is pending merge into the
/// newest, so a burst of changes costs at most one update per change and ends in the values read
/// after the last change. QML cannot write the values (writes are refused); changes go through
/// commands.
/// Lifetime: holds the view model weakly. Once the view model is gone the map keeps its last values and
/// `execute` returns false. Destroying the map first disconnects from the view model, waiting for a
/// handler running on another thread (which only posts), and Qt drops what is still posted to it.
class CViewModelMap : public QQmlPropertyMap
{
    Q_OBJECT

public:
    /// Use MakeViewModelMap. Reads the initial values on the calling (GUI) thread, then connects.
    CViewModelMap(std::unique_ptr<Internal::IViewModelSource> source, QObject* parent);
    ~CViewModelMap() override;

    /// Runs the command named `name` with `args` once, on the calling thread. False when the view model
    /// is gone, no command has that name, or the action threw (its message goes to qWarning).
    Q_INVOKABLE bool execute(QString const& name, QVariantList const& args = {});

protected:
    /// Refuses writes from QML: returns the current value.
    QVariant updateValue(QString const& key, QVariant const& input) override;

private:
    void OnPropertyChanged(); // notifying thread
    void ApplyLatest();       // GUI thread

    std::unique_ptr<Internal::IViewModelSource> const m_source;
    QStringList const m_keys;
    QVector<QVariant> m_values; // GUI thread: what the keys hold
    std::atomic<quint64> m_readSequence{0};
    std::mutex m_latestMutex;
    quint64 m_latestSequence = 0;              // guarded by m_latestMutex
    std::optional<QVector<QVariant>> m_latest; // guarded by m_latestMutex
    CQueuedCall m_apply;
    Base::CScopedEventSignalConnection m_connection; // reset first in the destructor
};

namespace Internal
{
template <class VM> class TViewModelSource final : public IViewModelSource
{
public:
    TViewModelSource(std::shared_ptr<VM> const& viewModel, TViewModelTable<VM> table)
        : m_viewModel(viewModel), m_table(std::move(table))
    {
    }

    QStringList Keys() const override
    {
        QStringList keys;
        for (auto const& row : m_table.Properties())
            keys.push_back(row.name);
        return keys;
    }

    bool Read(QVector<QVariant>& values) const override
    {
        std::shared_ptr<VM> viewModel = m_viewModel.lock();
        if (!viewModel)
            return false;
        bool read = true;
        try
        {
            values.clear();
            values.reserve(static_cast<qsizetype>(m_table.Properties().size()));
            for (auto const& row : m_table.Properties())
                values.push_back(row.read(*viewModel));
        }
        catch (std::exception const& error)
        {
            qWarning("orx2 bridge: a property reader threw: %s", error.what());
            read = false;
        }
        // Never the last reference inside a delivery to the view model.
        Base::CDeliveryScope::ReleaseAfterDelivery(std::move(viewModel));
        return read;
    }

    Base::CScopedEventSignalConnection ConnectToChanges(std::function<void()> handler) const override
    {
        std::shared_ptr<VM> const viewModel = m_viewModel.lock();
        if (!viewModel)
            return {};
        return viewModel->GetPropertyChangedEventSignal().Connect(
            Base::MakeEventSignalHandler<void>(std::move(handler)));
    }

    EExecuted Execute(QString const& name, QVariantList const& args) const override
    {
        for (auto const& row : m_table.Commands())
        {
            if (row.name != name)
                continue;
            std::shared_ptr<VM> viewModel = m_viewModel.lock();
            if (!viewModel)
                return EExecuted::Gone;
            struct SRelease
            {
                std::shared_ptr<VM>& held;
                ~SRelease() { Base::CDeliveryScope::ReleaseAfterDelivery(std::move(held)); }
            } const release{viewModel};
            row.run(*viewModel, args);
            return EExecuted::Ran;
        }
        return EExecuted::UnknownName;
    }

private:
    std::weak_ptr<VM> const m_viewModel;
    TViewModelTable<VM> const m_table;
};
} // namespace Internal

/// Makes the map of `viewModel` as `table` describes it, owned by `parent` (GUI thread). Holds the view
/// model weakly; an empty `viewModel` gives a map of empty values whose `execute` returns false.
/// Throws std::bad_alloc.
template <class VM>
CViewModelMap* MakeViewModelMap(std::shared_ptr<VM> const& viewModel, TViewModelTable<VM> const& table,
                                QObject* parent)
{
    static_assert(std::is_base_of_v<Base::INotifyPropertyChanged, VM>,
                  "a view model announces its changes through PropertyChanged");
    return new CViewModelMap(std::make_unique<Internal::TViewModelSource<VM>>(viewModel, table), parent);
}
} // namespace Orx2Gui
