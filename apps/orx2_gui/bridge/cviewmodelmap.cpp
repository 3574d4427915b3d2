#include "bridge/cviewmodelmap.h"

#include "bridge/cbridgestatistics.h"

#include <exception>
#include <utility>

namespace Orx2Gui
{
CViewModelMap::CViewModelMap(std::unique_ptr<Internal::IViewModelSource> source, QObject* parent)
    : QQmlPropertyMap(this, parent), m_source(std::move(source)), m_keys(m_source->Keys()),
      m_apply([this] { ApplyLatest(); }, this)
{
    // Connect before reading: a change after the connection posts a snapshot read after it, so the
    // newest values always arrive, whatever the initial read saw.
    m_connection = m_source->ConnectToChanges([this] { OnPropertyChanged(); });
    if (!m_source->Read(m_values))
        m_values = QVector<QVariant>(m_keys.size());
    for (qsizetype i = 0; i < m_keys.size(); ++i)
        insert(m_keys[i], m_values[i]);
}

CViewModelMap::~CViewModelMap()
{
    // First: no handler runs or will run, so nothing posts to this object any more.
    m_connection = Base::CScopedEventSignalConnection();
}

bool CViewModelMap::execute(QString const& name, QVariantList const& args)
{
    try
    {
        switch (m_source->Execute(name, args))
        {
        case Internal::IViewModelSource::EExecuted::Ran:
            return true;
        case Internal::IViewModelSource::EExecuted::UnknownName:
            qWarning("orx2 bridge: no command \"%s\"", qUtf8Printable(name));
            return false;
        case Internal::IViewModelSource::EExecuted::Gone:
            return false;
        }
    }
    catch (std::exception const& error)
    {
        qWarning("orx2 bridge: command \"%s\" threw: %s", qUtf8Printable(name), error.what());
    }
    return false;
}

QVariant CViewModelMap::updateValue(QString const& key, QVariant const&)
{
    return value(key);
}

void CViewModelMap::OnPropertyChanged()
{
    // Sequence numbers are taken after the change is stored and before reading, so the snapshot with
    // the highest number was read after every change whose handler took a lower one: keeping only the
    // highest ends in the newest values, whichever thread stores last.
    quint64 const sequence = m_readSequence.fetch_add(1, std::memory_order_acq_rel);
    QVector<QVariant> values;
    if (!m_source->Read(values))
        return;
    CBridgeStatistics::CountSnapshotRead();
    {
        std::lock_guard<std::mutex> const lock(m_latestMutex);
        if (sequence < m_latestSequence)
            return;
        m_latestSequence = sequence;
        m_latest = std::move(values);
    }
    m_apply.Request();
}

void CViewModelMap::ApplyLatest()
{
    std::optional<QVector<QVariant>> latest;
    {
        std::lock_guard<std::mutex> const lock(m_latestMutex);
        latest.swap(m_latest);
    }
    if (!latest || latest->size() != m_values.size())
        return;
    CBridgeStatistics::CountUpdateApplied();
    quint64 changed = 0;
    for (qsizetype i = 0; i < m_values.size(); ++i)
    {
        QVariant& value = (*latest)[i];
        if (value == m_values[i] && value.metaType() == m_values[i].metaType())
            continue;
        m_values[i] = value;
        insert(m_keys[i], value);
        ++changed;
    }
    CBridgeStatistics::CountValuesChanged(changed);
}
} // namespace Orx2Gui
