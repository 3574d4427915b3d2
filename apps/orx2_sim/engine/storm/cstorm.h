#pragma once
#include <cstdint>
#include <ostream>
#include <string>

namespace Orx2Sim
{
/// What a storm plays.
struct SStormOptions
{
    double seconds = 10.0;
    std::uint64_t seed = 0;
    unsigned engineThreads = 2; ///< 1 to 8
    bool gui = true;            ///< a GUI thread follows the screen and acts on it
    bool teardown = true;       ///< a thread replaces, empties and destroys screens
    /// For testing the storm's own checks: the lock-GUI view model is left showing a lock when they run,
    /// a fault they must report.
    bool plantStaleLock = false;

    /// Reads a thread list, "engine=3,gui=0,teardown=1": the kinds named take the given counts, the
    /// others keep theirs. Throws std::invalid_argument saying what is wrong.
    void ParseThreads(std::string const& text);
};

/// Plays a storm on the simulator's host: engine threads change the host and ask through the screen's
/// host-side objects, a GUI thread follows the screen through the GUI configuration's slots (holding the
/// view models weakly, re-reading every named value on each notification, mirroring the thumbnail bars
/// and the required-areas arrays) and acts on it, and a teardown thread replaces view models in their
/// slots, changes the case and destroys whole screens. Then, with the threads stopped, it settles and
/// checks (see docs/simulator.md) and prints per thread the operations and per check the result to `out`.
/// A thread that stops making progress for 20 s makes every thread print its stack and ends the process
/// with status 1. Returns the number of findings. Installs process-wide services (the log sink) for its
/// duration: one storm per process, and no simulator beside it.
int RunStorm(SStormOptions const& options, std::ostream& out);
} // namespace Orx2Sim
