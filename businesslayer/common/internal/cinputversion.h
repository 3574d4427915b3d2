#pragma once
// How a model that derives its published values from several inputs stays right when the inputs change
// on several threads at once, without holding a lock while it publishes.
#include <atomic>
#include <cstdint>

namespace BusinessLayer::Internal
{
/// Counts the changes of a model's inputs. Every handler of an input change calls Recompute: the
/// computation reads all inputs anew and publishes, and runs again as long as another change arrived
/// meanwhile. So the last computation to finish has read every input after its last change: once the
/// inputs stop changing, what is published is what the inputs give, whatever the threads' interleaving.
/// A computation that could not read an input at once calls MarkChanged, so that it is followed by
/// another one. No lock is held while `compute` publishes. Thread-safe.
class CInputVersion
{
public:
    /// Counts one change, then calls `compute()` until no change arrived during a call. Throws what
    /// `compute` throws.
    template <class Compute> void Recompute(Compute&& compute)
    {
        m_version.fetch_add(1);
        for (;;)
        {
            std::uint64_t const seen = m_version.load();
            compute();
            if (m_version.load() == seen)
                return;
        }
    }

    /// Counts a change without computing: a Recompute running now (on any thread) computes once more.
    /// Never throws.
    void MarkChanged() noexcept { m_version.fetch_add(1); }

private:
    std::atomic<std::uint64_t> m_version{0};
};
} // namespace BusinessLayer::Internal
