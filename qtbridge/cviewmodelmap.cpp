#include "qtbridge/cviewmodelmap.h"

#include "qtbridge/cbridgestatistics.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <utility>

namespace Orx2Qt
{
namespace Internal
{
QString TypeName(std::type_info const& type)
{
    int status = 0;
    char* const readable = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    QString name = QString::fromUtf8(status == 0 && readable != nullptr ? readable : type.name());
    std::free(readable);
    return name;
}
} // namespace Internal

CViewModelMap::CViewModelMap(std::unique_ptr<Internal::IViewModelSource> source, QObject* parent)
    : QQmlPropertyMap(this, parent), m_source(std::move(source)), m_name(m_source->Name()),
      m_keys(m_source->Keys()), m_apply([this] { ApplyLatest(); }, this)
{
    // Connect before reading: a change after the connection posts a snapshot read after it, so the
    // newest values always arrive, whatever the initial read saw. A view model with nothing to show
    // (commands only) needs no snapshots.
    if (!m_keys.isEmpty())
        m_connections = m_source->ConnectToChanges([this] { OnChanged(); });
    if (!m_source->Read(m_values))
        m_values = QVector<QVariant>(m_keys.size());
    for (qsizetype i = 0; i < m_keys.size(); ++i)
        insert(m_keys[i], m_values[i]);
    m_source->AddChildren(*this);
    freeze(); // QML can neither add keys nor create them by reading a name that is not there
}

CViewModelMap::~CViewModelMap()
{
    // First: no handler runs or will run, so nothing posts to this object any more.
    m_followers.clear();
    m_connections.clear();
}

bool CViewModelMap::execute(QString const& name, QVariantList const& arguments)
{
    using EExecuted = Internal::IViewModelSource::EExecuted;
    QString problem;
    try
    {
        switch (m_source->Execute(name, arguments, problem))
        {
        case EExecuted::Ran:
            return true;
        case EExecuted::NotInstalled:
            return false;
        case EExecuted::Refused:
            qWarning("orx2 qtbridge: %s command \"%s\" %s; nothing executed", qUtf8Printable(m_name),
                     qUtf8Printable(name), qUtf8Printable(problem));
            return false;
        case EExecuted::UnknownName:
            qWarning("orx2 qtbridge: %s has no command \"%s\"; nothing executed", qUtf8Printable(m_name),
                     qUtf8Printable(name));
            return false;
        case EExecuted::Gone:
            qWarning("orx2 qtbridge: the %s of this map is gone; \"%s\" not executed", qUtf8Printable(m_name),
                     qUtf8Printable(name));
            return false;
        }
    }
    catch (std::exception const& error)
    {
        qWarning("orx2 qtbridge: %s command \"%s\" threw: %s", qUtf8Printable(m_name), qUtf8Printable(name),
                 error.what());
    }
    catch (...)
    {
        qWarning("orx2 qtbridge: %s command \"%s\" threw", qUtf8Printable(m_name), qUtf8Printable(name));
    }
    return false;
}

QString CViewModelMap::commandName(QString const& name) const
{
    std::optional<std::wstring> registered;
    try
    {
        registered = m_source->CommandName(name);
    }
    catch (std::exception const& error)
    {
        qWarning("orx2 qtbridge: %s command \"%s\" cannot be read: %s", qUtf8Printable(m_name),
                 qUtf8Printable(name), error.what());
        return {};
    }
    if (!registered)
        qWarning("orx2 qtbridge: %s has no command \"%s\"", qUtf8Printable(m_name), qUtf8Printable(name));
    return registered ? QString::fromStdWString(*registered) : QString();
}

void CViewModelMap::SetChild(QString const& key, QObject* child)
{
    if (QObject* const before = value(key).value<QObject*>())
        before->deleteLater(); // QML may still read it until the change signal has been handled
    if (child != nullptr)
        child->setParent(this);
    insert(key, QVariant::fromValue(child));
}

void CViewModelMap::Keep(std::shared_ptr<void> follower)
{
    m_followers.push_back(std::move(follower));
}

QVariant CViewModelMap::updateValue(QString const& key, QVariant const&)
{
    qWarning("orx2 qtbridge: %s.%s is read-only in QML (its commands change it); nothing written",
             qUtf8Printable(m_name), qUtf8Printable(key));
    return value(key);
}

void CViewModelMap::OnChanged()
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
} // namespace Orx2Qt
