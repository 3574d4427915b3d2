#include "qtbridge/carraylistmodel.h"

#include "qtbridge/cbridgestatistics.h"

#include "base/orx2basepool/applyarraychangednotification.h"

#include <QMetaType>
#include <QtDebug>

#include <cstddef>
#include <utility>

namespace Orx2Qt
{
namespace
{
using RowChange = Base::Binding::ArrayChangedNotification<QVariantMap>;
using Base::Binding::EArrayRemovalKind;
} // namespace

CArrayListModel::CArrayListModel(QStringList roles, QObject* parent)
    : QAbstractListModel(parent), m_roles(std::move(roles)), m_drain([this] { Drain(); }, this)
{
}

CArrayListModel::~CArrayListModel()
{
    // First: no handler runs or will run, so nothing is queued or posted any more. The rows' objects
    // are children and go with the model.
    if (m_feed)
        m_feed->Disconnect();
}

int CArrayListModel::rowCount(QModelIndex const& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant CArrayListModel::data(QModelIndex const& index, int role) const
{
    int const column = role - (Qt::UserRole + 1);
    if (!index.isValid() || index.parent().isValid() || index.row() >= count() || column < 0 ||
        column >= m_roles.size())
        return {};
    return m_rows[static_cast<std::size_t>(index.row())].values[column];
}

QHash<int, QByteArray> CArrayListModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (qsizetype i = 0; i < m_roles.size(); ++i)
        names.insert(Qt::UserRole + 1 + static_cast<int>(i), m_roles[i].toUtf8());
    return names;
}

QVariantMap CArrayListModel::get(int row) const
{
    QVariantMap map;
    if (row < 0 || row >= count())
        return map;
    for (qsizetype i = 0; i < m_roles.size(); ++i)
        map.insert(m_roles[i], m_rows[static_cast<std::size_t>(row)].values[i]);
    return map;
}

void CArrayListModel::Attach(std::unique_ptr<Internal::IArrayFeed> feed)
{
    m_feed = std::move(feed);
    Drain();
}

void CArrayListModel::Drain()
{
    if (!CBridgeStatistics::CheckGuiThread(*this) || !m_feed)
        return;
    for (RowChange& change : m_feed->TakeQueued())
    {
        CBridgeStatistics::CountRowChange();
        int const before = count();
        Apply(change);
        if (count() != before)
            Q_EMIT countChanged();
    }
}

void CArrayListModel::Apply(RowChange& change)
{
    ApplyChanged(change);
    ApplyInserted(change);
    switch (change.removalKind)
    {
    case EArrayRemovalKind::None:
        break;
    case EArrayRemovalKind::Indices:
        ApplyRemoved(change);
        break;
    case EArrayRemovalKind::All:
    case EArrayRemovalKind::SourceDestroyed:
        Reset();
        break;
    }
}

void CArrayListModel::ApplyChanged(RowChange& change)
{
    std::vector<std::size_t> const& positions = change.changedIndices;
    if (positions.size() != change.changedValues.size())
    {
        qWarning("orx2 bridge: array change with %zu positions and %zu values ignored", positions.size(),
                 change.changedValues.size());
        return;
    }
    // Positions of one notification need not be sorted: signal each in place.
    for (std::size_t i = 0; i < positions.size(); ++i)
    {
        std::size_t const position = positions[i];
        if (position >= m_rows.size())
        {
            qWarning("orx2 bridge: changed row %zu beyond %zu rows ignored", position, m_rows.size());
            continue;
        }
        SRow row = MakeRow(change.changedValues[i]);
        std::swap(row, m_rows[position]);
        Release(row);
        QModelIndex const at = index(static_cast<int>(position));
        Q_EMIT dataChanged(at, at);
    }
}

void CArrayListModel::ApplyInserted(RowChange& change)
{
    std::vector<std::size_t> const& positions = change.insertedIndices;
    if (positions.size() != change.insertedValues.size())
    {
        qWarning("orx2 bridge: array insertion with %zu positions and %zu values ignored", positions.size(),
                 change.insertedValues.size());
        return;
    }
    Base::Binding::ForEachPositionRun(
        positions,
        [&](std::size_t first, std::size_t end)
        {
            std::size_t const at = positions[first];
            if (at > m_rows.size())
            {
                qWarning("orx2 bridge: rows inserted at %zu beyond %zu rows ignored", at, m_rows.size());
                return;
            }
            std::vector<SRow> rows;
            rows.reserve(end - first);
            for (std::size_t i = first; i < end; ++i)
                rows.push_back(MakeRow(change.insertedValues[i]));
            beginInsertRows(QModelIndex(), static_cast<int>(at), static_cast<int>(at + rows.size() - 1));
            m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at),
                          std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
            endInsertRows();
        });
}

void CArrayListModel::ApplyRemoved(RowChange const& change)
{
    std::vector<std::size_t> const& positions = change.removedIndices;
    Base::Binding::ForEachPositionRun<true>(
        positions,
        [&](std::size_t first, std::size_t end)
        {
            std::size_t const from = positions[first];
            std::size_t const to = positions[end - 1];
            if (to >= m_rows.size())
            {
                qWarning("orx2 bridge: rows %zu to %zu beyond %zu rows not removed", from, to, m_rows.size());
                return;
            }
            beginRemoveRows(QModelIndex(), static_cast<int>(from), static_cast<int>(to));
            auto const begin = m_rows.begin() + static_cast<std::ptrdiff_t>(from);
            auto const stop = m_rows.begin() + static_cast<std::ptrdiff_t>(to) + 1;
            for (auto it = begin; it != stop; ++it)
                Release(*it);
            m_rows.erase(begin, stop);
            endRemoveRows();
        });
}

void CArrayListModel::Reset()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    for (SRow& row : m_rows)
        Release(row);
    m_rows.clear();
    endResetModel();
}

CArrayListModel::SRow CArrayListModel::MakeRow(QVariantMap const& map)
{
    SRow row;
    row.values.reserve(m_roles.size());
    for (QString const& role : m_roles)
    {
        QVariant const value = map.value(role);
        if (value.metaType().flags().testFlag(QMetaType::PointerToQObject))
        {
            QObject* const object = value.value<QObject*>();
            if (object != nullptr && object->parent() == nullptr)
            {
                object->setParent(this);
                row.owned.emplace_back(object);
            }
        }
        row.values.push_back(value);
    }
    return row;
}

void CArrayListModel::Release(SRow& row)
{
    // Later, not now: QML delegates of the row may still read the object while they are torn down.
    for (QPointer<QObject> const& object : row.owned)
    {
        if (object)
            object->deleteLater();
    }
    row.owned.clear();
}
} // namespace Orx2Qt
