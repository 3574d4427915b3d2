#pragma once
#include "ccommandsignatures.h"
#include "csessionreplay.h"
#include "isimmodule.h"

#include <memory>
#include <vector>

namespace Orx2Sim
{
/// The modules of the simulated application, in the order they start and their sections appear on the
/// screen. `signatures` and `replay` outlive the modules. Throws std::bad_alloc.
std::vector<std::unique_ptr<ISimModule>> MakeSimModules(CCommandSignatures const& signatures,
                                                        CSessionReplay const& replay);
} // namespace Orx2Sim
