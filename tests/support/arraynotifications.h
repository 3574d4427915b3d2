#pragma once
// Building, comparing and printing array change notifications in tests.
#include "base/orx2basepool/arraychangednotification.h"
#include "base/orx2basepool/cscopedeventsignalconnection.h"
#include "base/orx2basepool/iarraybindingsource.h"

#include <mutex>
#include <ostream>
#include <vector>

namespace Base::Binding
{
template <class T> bool operator==(ArrayChangedNotification<T> const& a, ArrayChangedNotification<T> const& b)
{
    return a.status == b.status && a.changedIndices == b.changedIndices &&
           a.changedValues == b.changedValues && a.insertedIndices == b.insertedIndices &&
           a.insertedValues == b.insertedValues && a.removalKind == b.removalKind &&
           a.removedIndices == b.removedIndices;
}

template <class T> void PrintTo(ArrayChangedNotification<T> const& n, std::ostream* os)
{
    auto list = [os](char const* name, auto const& values)
    {
        *os << name << "{";
        for (auto const& v : values)
            *os << v << ",";
        *os << "} ";
    };
    list("changed", n.changedIndices);
    list("=", n.changedValues);
    list("inserted", n.insertedIndices);
    list("=", n.insertedValues);
    *os << "kind " << static_cast<int>(n.removalKind) << " ";
    list("removed", n.removedIndices);
}
} // namespace Base::Binding

namespace Orx2Test
{
template <class T> using Note = Base::Binding::ArrayChangedNotification<T>;

// Positional, in the notification's field order: it is an aggregate, and -Wextra wants every field given.
template <class T> Note<T> Changed(std::vector<std::size_t> indices, std::vector<T> values)
{
    return {0, std::move(indices), std::move(values), {}, {}, Base::Binding::EArrayRemovalKind::None, {}};
}

template <class T> Note<T> Inserted(std::vector<std::size_t> indices, std::vector<T> values)
{
    return {0, {}, {}, std::move(indices), std::move(values), Base::Binding::EArrayRemovalKind::None, {}};
}

template <class T> Note<T> Removed(std::vector<std::size_t> indices)
{
    return {0, {}, {}, {}, {}, Base::Binding::EArrayRemovalKind::Indices, std::move(indices)};
}

template <class T> Note<T> Kind(Base::Binding::EArrayRemovalKind kind)
{
    return {0, {}, {}, {}, {}, kind, {}};
}

/// Records copies of every notification of an array source's change stream (later changes only).
template <class T> class NotificationLog
{
public:
    explicit NotificationLog(Base::Binding::IArrayChangeStreamSource<T> const& source)
        : m_connection(source.ConnectToArrayChangeStream(Base::MakeEventSignalHandler<Note<T> const&>(
              [this](Note<T> const& n)
              {
                  std::lock_guard<std::mutex> lock(m_mutex);
                  m_notes.push_back(n);
              })))
    {
    }
    std::vector<Note<T>> Notes() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notes;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Note<T>> m_notes;
    Base::CScopedEventSignalConnection m_connection;
};
} // namespace Orx2Test
