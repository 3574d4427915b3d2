#pragma once
#include <string>

namespace Orx2Sim
{
/// The scenario played when no scenario is given: scenarios/scan_session.json, compiled in. A scan
/// session as the GUI sees it: the case prescribes its areas, areas are instantiated and gain data,
/// reconstruction progresses, a contributing area fails and recovers, "treat as done" completes it.
std::string const& BuiltInSession();
} // namespace Orx2Sim
