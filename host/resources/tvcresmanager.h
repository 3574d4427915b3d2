#pragma once
// The host resource library's localised strings, looked up by numeric id.
#include "host/foundation/cstringw.h"
#include "host/foundation/jbsingleton.h"
#include "host/orx2hostexport.h"

#include <map>
#include <shared_mutex>

/// The localised strings of the application by resource id. The host loads them (at start-up, or again
/// when the language changes); the library only reads them. The process-wide instance is
/// JbSingleton<TvCResManager>::GetInstance(); separate instances are independent (useful in tests).
///
/// Thread-safety: every member may be called from any thread; readers see a string either before or
/// after a concurrent load, never a torn one.
class ORX2_HOST_EXPORT TvCResManager
{
public:
    TvCResManager();
    ~TvCResManager();
    TvCResManager(TvCResManager const&) = delete;
    TvCResManager& operator=(TvCResManager const&) = delete;

    /// The string loaded under `id`, or an empty string when there is none (as the platform's string
    /// loading gives for a missing resource); HasString tells the two apart. Throws std::bad_alloc.
    CStringW GetString(unsigned int id) const;
    /// Whether a string is loaded under `id`.
    bool HasString(unsigned int id) const;

    /// Loads `text` under `id`, replacing what was there. Throws std::bad_alloc (nothing changes then).
    void SetString(unsigned int id, CStringW text);
    /// Loads every entry of `strings` in one step, replacing strings of the same ids and keeping the
    /// others. Throws std::bad_alloc (nothing changes then).
    void LoadStrings(std::map<unsigned int, CStringW> const& strings);
    /// Forgets every string.
    void Clear() noexcept;

private:
    mutable std::shared_mutex m_mutex;
    std::map<unsigned int, CStringW> m_strings;
};

/// The process-wide resource manager: created on first use and never destroyed, so static objects of
/// other libraries may still read strings while the process exits.
template <> ORX2_HOST_EXPORT TvCResManager& JbSingleton<TvCResManager>::GetInstance();
