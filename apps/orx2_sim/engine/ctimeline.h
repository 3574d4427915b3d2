#pragma once
#include <nlohmann/json.hpp>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace Orx2Sim
{
using Json = nlohmann::ordered_json;

/// One shown value that changed: its name, the value before and after.
struct SChange
{
    std::string property;
    Json before;
    Json after;
};

/// Something that happened during a step, in the order it happened.
// NOLINTNEXTLINE(bugprone-exception-escape): Json's noexcept move looks throwing to the check
struct STimelineEvent
{
    enum class EKind
    {
        Changed, ///< a source notified (or, for "Unnotified", values changed without notice)
        Log,     ///< a log line of the library
        Command, ///< an entry of the process-wide command stream
        Note     ///< what a step itself reports (replay counts, out-parameters)
    };
    EKind kind = EKind::Note;
    /// Changed: the source's label; Log: the channel; Command: the command's name; Note: the step kind.
    std::string source;
    /// Changed: "PropertyChanged", "ArrayChanged", "ValueChanged" or "Unnotified".
    std::string event;
    std::vector<SChange> changes;
    /// Log: the message; Note: the text.
    std::string text;
    /// Command: the execution id of a serializable command.
    std::optional<std::uint32_t> executionId;
    /// Command: the decoded arguments when known; Note: details for tools.
    Json details;
};

/// Collects the events of the current step. While not detailed it only counts them (for --repeat without
/// drawing). Thread-safe: events may come from any thread.
class CTimeline
{
public:
    /// Detailed from the start.
    CTimeline() = default;

    /// Keep the events (true) or only count them (false).
    void SetDetailed(bool detailed);
    bool IsDetailed() const;

    /// Counts `event` and keeps it while detailed. Throws std::bad_alloc.
    void Add(STimelineEvent event);
    /// Counts one event without keeping anything; for callers that skip building it when not detailed.
    void Count();
    /// The kept events since the last call, oldest first.
    std::vector<STimelineEvent> Take();
    /// All events counted since construction.
    std::uint64_t GetEventCount() const;

private:
    mutable std::mutex m_mutex;
    bool m_detailed = true;
    std::vector<STimelineEvent> m_events;
    std::uint64_t m_count = 0;
};
} // namespace Orx2Sim
