#pragma once
// One call-counting spy shared by the tests: records every call with its arguments, thread-safe.
#include <atomic>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace Orx2Test
{
/// Records the arguments of every call. `Callback()` returns a callable to hand to a signal, observer
/// or command; the spy must outlive every use of it.
template <class... T> class CallSpy
{
public:
    auto Callback()
    {
        return [this](T const&... values) { Record(values...); };
    }

    void Record(T const&... values)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.emplace_back(values...);
    }

    std::size_t Count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls.size();
    }

    std::vector<std::tuple<T...>> Calls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }

    /// The arguments of the last call (the spy must have been called).
    std::tuple<T...> Last() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls.back();
    }

    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::tuple<T...>> m_calls;
};

/// A spy for calls without arguments.
class CountSpy
{
public:
    auto Callback()
    {
        return [this] { m_count.fetch_add(1); };
    }
    int Count() const { return m_count.load(); }

private:
    std::atomic<int> m_count{0};
};

/// Records an ordered log of events across several callbacks ("A", "B", ...), thread-safe.
class CallLog
{
public:
    template <class Label> auto Callback(Label label)
    {
        return [this, label](auto const&...) { Add(label); };
    }
    void Add(std::string entry)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.push_back(std::move(entry));
    }
    std::vector<std::string> Entries() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_entries;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_entries;
};
} // namespace Orx2Test
