#pragma once
// One part of the simulated acquisition screen. The simulator is the list of its modules
// (MakeSimModules): each builds and wires its objects at start-up, names the values it shows, adds the
// step kinds that drive it, and draws its section of the screen.
//
// A view-model issue adds its view models to the simulator with one module:
//  - Start: construct the view models from the host's objects (CSimHost: areas, acquisition properties,
//    data exchange configuration; later the GUI configuration), fill their properties and commands and
//    write them into their slots, as the host would. Commands that the host executes by name are
//    registered here and are then reachable by `execute` steps and replays.
//  - nothing for the values a GUI binds: the view models in the GUI configuration's slots and the
//    models a module describes (AddDescribed) are named by their descriptions ("LiveImage.CrossHair").
//    A module names only what is derived: values computed from several objects or from the host go
//    into its static DeclareScreenValues(catalog, screen), listed in DeclareScreen (simmodules.cpp), so
//    that they read any screen, also the ones the storm builds; values of what the module itself holds
//    go into DeclareProperties. `expect` steps check them, the timeline shows how they change, --json
//    writes them.
//  - DeclareSteps: step kinds for what the host or the user does to them ("key", "calibration"). A step
//    that changes the host's state runs through a registered serializable command
//    (MakeSimulatorCommand) so that --record keeps it and --replay repeats it.
//  - Render: its section of the screen, in CScreenCanvas::kWidth columns.
//  - Stop: release what Start built.
// and one line in MakeSimModules (simmodules.cpp) at the place its section appears on the screen.
#include "cpropertycatalog.h"
#include "cscreencanvas.h"
#include "csimhost.h"
#include "cstepcatalog.h"
#include "simtext.h"

namespace Orx2Sim
{
/// A screen whose values are named: the host and one GUI configuration of it (the host's own, or one
/// the storm builds beside it), both outliving every use of the catalog.
struct SSimScreen
{
    CSimHost const& host;
    Base::IGuiConfiguration const& gui;
};

class ISimModule
{
public:
    virtual ~ISimModule() = default;

    /// Builds and wires the module's objects. `host` has finished its own start-up and outlives Stop.
    /// Called once, in module order. Throws what the library throws (start-up then fails).
    virtual void Start(CSimHost& host) = 0;
    /// Declares the named values of what the module itself holds (none by default). Called once after
    /// every module has started and the screen's values are declared.
    virtual void DeclareProperties(CPropertyCatalog& catalog) { static_cast<void>(catalog); }
    /// Declares the module's step kinds. Called once after every module has started.
    virtual void DeclareSteps(CStepCatalog& steps) = 0;
    /// Draws the module's section; reads, changes nothing. Called after each step while drawing.
    virtual void Render(CScreenCanvas& canvas) const = 0;
    /// Releases what Start built. Called once, in reverse module order, before the host goes.
    virtual void Stop() = 0;
};
} // namespace Orx2Sim
