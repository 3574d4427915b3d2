#pragma once
#include "qtbridge/cqueuedcall.h"
#include "qtbridge/orx2qtbridgeexport.h"

#include "base/orx2basepool/arraychangednotification.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/iarraybindingsource.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Orx2Qt
{
namespace Internal
{
/// The typed side of a list model: it receives the array's notifications on the notifying thread and
/// hands them over as rows on the GUI thread.
class IArrayFeed
{
public:
    virtual ~IArrayFeed() = default;
    /// GUI thread: the notifications queued so far, oldest first, their elements turned into rows.
    /// Those queued meanwhile wait for the next call (a busy engine cannot keep the GUI thread here).
    virtual std::vector<Base::Binding::ArrayChangedNotification<QVariantMap>> TakeQueued() = 0;
    /// Disconnects from the source, waiting for a handler running on another thread.
    virtual void Disconnect() = 0;
};
} // namespace Internal

/// An array binding source as a QML list model with one role per name.
///
/// Threading: created, used and destroyed on the GUI thread. The array's notifications arrive on the
/// editing thread; they are queued in order and posted, and on the GUI thread each becomes the matching
/// row signals: a replaced element dataChanged, inserted ones rowsInserted, removed ones rowsRemoved
/// (runs of neighbouring positions in one signal); only "all removed" and "source destroyed" reset the
/// model. Elements become rows on the GUI thread (`toRow`), so a role may hold a QObject made there.
/// Ownership: a QObject role value without a parent is adopted by the model and deleted (later) with its
/// row, when the row is replaced, removed or reset, or with the model.
/// Lifetime: the model keeps nothing of the source alive. Destroying the model first disconnects from
/// the source, waiting for a handler running on another thread (which only queues and posts).
class ORX2_QTBRIDGE_EXPORT CArrayListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    /// Use MakeArrayListModel. Roles are numbered from Qt::UserRole + 1 in the order given.
    CArrayListModel(QStringList roles, QObject* parent);
    ~CArrayListModel() override;

    /// The number of rows (0 for a valid parent: the list is flat).
    int rowCount(QModelIndex const& parent = QModelIndex()) const override;
    /// The value of `role` in the row of `index`; invalid for an index or role out of range.
    QVariant data(QModelIndex const& index, int role = Qt::DisplayRole) const override;
    /// The roles by number, as QML names them.
    QHash<int, QByteArray> roleNames() const override;

    /// The number of rows (QML's `count`).
    int count() const noexcept { return static_cast<int>(m_rows.size()); }
    /// Every role of `row` by name; empty for a row out of range.
    Q_INVOKABLE QVariantMap get(int row) const;

    /// Used by MakeArrayListModel: takes the feed and applies what it has queued so far (the initial
    /// array) at once.
    void Attach(std::unique_ptr<Internal::IArrayFeed> feed);
    /// Any thread: the feed has queued a notification.
    void RequestDrain() { m_drain.Request(); }

Q_SIGNALS:
    /// The number of rows changed.
    void countChanged();

private:
    struct SRow
    {
        QVector<QVariant> values; // one per role
        std::vector<QPointer<QObject>> owned;
    };

    void Drain(); // GUI thread
    void Apply(Base::Binding::ArrayChangedNotification<QVariantMap>& change);
    void ApplyChanged(Base::Binding::ArrayChangedNotification<QVariantMap>& change);
    void ApplyInserted(Base::Binding::ArrayChangedNotification<QVariantMap>& change);
    void ApplyRemoved(Base::Binding::ArrayChangedNotification<QVariantMap> const& change);
    void Reset();
    SRow MakeRow(QVariantMap const& map);
    static void Release(SRow& row);

    QStringList const m_roles;
    std::vector<SRow> m_rows;
    CQueuedCall m_drain;
    std::unique_ptr<Internal::IArrayFeed> m_feed; // disconnected first in the destructor
};

namespace Internal
{
template <class T> class TArrayFeed final : public IArrayFeed
{
public:
    using Notification = Base::Binding::ArrayChangedNotification<T>;

    TArrayFeed(CArrayListModel& model, std::function<QVariantMap(T const&)> toRow)
        : m_model(model), m_toRow(std::move(toRow))
    {
    }
    ~TArrayFeed() override { Disconnect(); }

    void Connect(Base::Binding::IArrayBindingSource<T> const& source)
    {
        m_connection =
            source.ConnectToArrayChangeStreamAndNotify(Base::MakeEventSignalHandler<Notification const&>(
                [this](Notification const& notification)
                {
                    {
                        std::lock_guard<std::mutex> const lock(m_mutex);
                        m_queue.push_back(notification);
                    }
                    m_model.RequestDrain();
                }));
    }

    void Disconnect() override { m_connection = Base::CScopedEventSignalConnection(); }

    std::vector<Base::Binding::ArrayChangedNotification<QVariantMap>> TakeQueued() override
    {
        std::deque<Notification> queued;
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            queued.swap(m_queue);
        }
        std::vector<Base::Binding::ArrayChangedNotification<QVariantMap>> changes(queued.size());
        for (std::size_t i = 0; i < queued.size(); ++i)
        {
            Notification& next = queued[i];
            auto& rows = changes[i];
            rows.status = next.status;
            rows.changedIndices = std::move(next.changedIndices);
            rows.changedValues = Convert(next.changedValues);
            rows.insertedIndices = std::move(next.insertedIndices);
            rows.insertedValues = Convert(next.insertedValues);
            rows.removalKind = next.removalKind;
            rows.removedIndices = std::move(next.removedIndices);
        }
        return changes;
    }

private:
    std::vector<QVariantMap> Convert(std::vector<T> const& values) const
    {
        std::vector<QVariantMap> rows;
        rows.reserve(values.size());
        for (T const& value : values)
            rows.push_back(m_toRow ? m_toRow(value) : QVariantMap());
        return rows;
    }

    CArrayListModel& m_model;
    std::function<QVariantMap(T const&)> const m_toRow;
    std::mutex m_mutex;
    std::deque<Notification> m_queue; // guarded by m_mutex
    Base::CScopedEventSignalConnection m_connection;
};
} // namespace Internal

/// Makes the list model of `source`, owned by `parent` (GUI thread). `lifetime` is the owner of the
/// source (a view model, the array itself), held only while connecting: an empty one means the source
/// is gone, and the model stays empty. Later the source may go at any time ("source destroyed" resets
/// the model). `toRow` turns an element into its role values by name, on the GUI thread.
/// Throws std::bad_alloc.
template <class T>
CArrayListModel* MakeArrayListModel(Base::Binding::IArrayBindingSource<T> const& source,
                                    std::shared_ptr<void const> lifetime, QStringList roles,
                                    std::function<QVariantMap(T const&)> toRow, QObject* parent)
{
    auto* const model = new CArrayListModel(std::move(roles), parent);
    auto feed = std::make_unique<Internal::TArrayFeed<T>>(*model, std::move(toRow));
    if (std::shared_ptr<void const> const alive = std::move(lifetime))
        feed->Connect(source);
    model->Attach(std::move(feed));
    return model;
}
} // namespace Orx2Qt
