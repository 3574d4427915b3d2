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
/// Declares the named values of `screen`: what its GUI configuration's slots hold, by their
/// descriptions, then the modules' values read from the host and the slots, in module order.
void DeclareScreen(CPropertyCatalog& catalog, SSimScreen const& screen);
} // namespace Orx2Sim
