#include "viewmodeltables.h"

#include "engine/simtext.h"

#include "base/orx2basepool/tcommandslot.h"

#include <QString>
#include <QVariantList>

#include <cmath>
#include <optional>

namespace Orx2Gui::Tables
{
namespace
{
using Base::EAreaItems;

QString Text(CStringW const& text)
{
    return QString::fromStdWString(text.GetStdString());
}

/// One value per scan area, in the order of their numbers.
template <class Read> QVariant PerArea(Read read)
{
    QVariantList values;
    for (int area = 0; area < static_cast<int>(Base::kAreaItemCount); ++area)
        values.append(read(static_cast<EAreaItems>(area)));
    return values;
}

/// Percent with one decimal, as the screen shows it.
double Percent(double value)
{
    return std::round(value * 10.0) / 10.0;
}

/// The first argument as T, or empty when missing or of another kind.
template <class T> std::optional<T> Argument(QVariantList const& arguments)
{
    if (arguments.isEmpty() || !arguments.front().canConvert<T>())
        return std::nullopt;
    return arguments.front().value<T>();
}
} // namespace

TViewModelTable<Base::IAreaViewModel> const& AreaPanel()
{
    using VM = Base::IAreaViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Property("selectedArea",
                      [](VM const& vm) { return QVariant(static_cast<int>(vm.GetSelectedArea().Get())); })
            .Command("activate",
                     [](VM& vm, QVariantList const& arguments)
                     {
                         if (auto const area = Argument<int>(arguments))
                             Base::ExecuteIfSet(vm.GetActivateAreaCommand().Get(),
                                                static_cast<EAreaItems>(*area));
                     });
    return table;
}

TViewModelTable<Base::IAreaItemViewModel> const& AreaTile()
{
    using VM = Base::IAreaItemViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Property("obligatory", [](VM const& vm) { return QVariant(vm.GetIsObligatory().Get()); })
            .Property("enabled", [](VM const& vm) { return QVariant(vm.GetIsEnabled().Get()); })
            .Property("locked", [](VM const& vm) { return QVariant(vm.GetIsLocked().Get()); })
            .Property("workIndicator",
                      [](VM const& vm) { return QVariant(vm.GetWorkIndicatorVisibility().Get()); })
            .Command("trash", [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetTrashCommand()); });
    return table;
}

TViewModelTable<Base::IThumbnailItemViewModel> const& Thumbnail()
{
    using VM = Base::IThumbnailItemViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("number", [](VM const& vm) { return QVariant(vm.GetNumber().Get()); })
            .Property("bitmap", [](VM const& vm) { return QVariant(Text(vm.GetBitmapID().Get())); })
            .Property("selected", [](VM const& vm) { return QVariant(vm.GetIsSelected().Get()); })
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Command("select",
                     [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetSelectCommand()); });
    return table;
}

TViewModelTable<Base::IReconstructionProgressBarDataExchangeModel> const& Progress()
{
    using VM = Base::IReconstructionProgressBarDataExchangeModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("percent",
                      [](VM const& vm) { return QVariant(Percent(vm.GetReconstructionProgress().Get())); })
            .Property("processing",
                      [](VM const& vm)
                      {
                          return QVariant(QString::fromStdString(
                              Orx2Sim::ProcessingText(vm.GetReconstructionProgressState().Get())));
                      })
            .Property("hasData",
                      [](VM const& vm) {
                          return PerArea([&vm](EAreaItems area)
                                         { return QVariant(vm.GetReconstructionArea(area)); });
                      })
            .Property("areaPercent",
                      [](VM const& vm)
                      {
                          return PerArea(
                              [&vm](EAreaItems area)
                              { return QVariant(Percent(vm.GetReconstructionProgress(area) * 100.0)); });
                      });
    return table;
}

TViewModelTable<Base::IReconstructionResultDataExchangeModel> const& Result()
{
    using VM = Base::IReconstructionResultDataExchangeModel;
    auto const text = [](VM::EReconstructionState state)
    { return QVariant(QString::fromStdString(Orx2Sim::ReconstructionStateText(state))); };
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("state", [text](VM const& vm) { return text(vm.GetReconstructionState().Get()); })
            .Property("saved",
                      [](VM const& vm) { return QVariant(vm.GetReconstructionResultAutoSaved().Get()); })
            .Property(
                "areaStates", [text](VM const& vm)
                { return PerArea([&](EAreaItems area) { return text(vm.GetReconstructionState(area)); }); });
    return table;
}

TViewModelTable<Base::IStepMenuItemViewModel> const& StepMenuItem()
{
    using VM = Base::IStepMenuItemViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Property("enabled", [](VM const& vm) { return QVariant(vm.GetEnabled().Get()); })
            .Property("selected", [](VM const& vm) { return QVariant(vm.GetSelected().Get()); })
            .Property("done", [](VM const& vm) { return QVariant(vm.GetIsDone().Get()); })
            .Property("text", [](VM const& vm) { return QVariant(Text(vm.GetInfoText().Get())); })
            .Property("group", [](VM const& vm) { return QVariant(Text(vm.GetGroupID().Get())); })
            .Property("okEnabled", [](VM const& vm) { return QVariant(vm.OkEnabled().Get()); })
            .Property("cancelEnabled", [](VM const& vm) { return QVariant(vm.CancelEnabled().Get()); })
            .Command("press", [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetCommand().Get()); })
            .Command("okCancel",
                     [](VM& vm, QVariantList const& arguments)
                     {
                         if (auto const ok = Argument<bool>(arguments))
                             Base::ExecuteIfSet(vm.GetOkCancelPressed().Get(), *ok);
                     })
            .Command("insertText",
                     [](VM& vm, QVariantList const& arguments)
                     {
                         if (auto const text = Argument<QString>(arguments))
                             Base::ExecuteIfSet(vm.GetTextInserted().Get(),
                                                CStringW(text->toStdWString().c_str()));
                     });
    return table;
}

TViewModelTable<Base::ISidePanelViewModel> const& SidePanel()
{
    using VM = Base::ISidePanelViewModel;
    static TViewModelTable<VM> const table = TViewModelTable<VM>().Property(
        "toolsVisible", [](VM const& vm) { return QVariant(vm.GetToolsVisibility().Get()); });
    return table;
}

TViewModelTable<Base::ISidePanelToolItemViewModel> const& Tool()
{
    using VM = Base::ISidePanelToolItemViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("name",
                      [](VM const& vm)
                      {
                          // A tool carries no label of its own; its actions' commands are named after it.
                          auto const first = vm.GetItemTypeToolActions().front();
                          auto const command = first ? first->GetCommand().Get() : nullptr;
                          std::wstring const name = command ? command->GetName() : std::wstring();
                          return QVariant(QString::fromStdWString(name.substr(0, name.find(L'.'))));
                      })
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Property("enabled", [](VM const& vm) { return QVariant(vm.GetEnabled().Get()); })
            .Property("selected", [](VM const& vm) { return QVariant(vm.GetSelected().Get()); });
    return table;
}

TViewModelTable<Base::IToolActionViewModel> const& ToolAction()
{
    using VM = Base::IToolActionViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Property("enabled", [](VM const& vm) { return QVariant(vm.GetEnabled().Get()); })
            .Property("selected", [](VM const& vm) { return QVariant(vm.GetSelected().Get()); })
            .Command("press", [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetCommand().Get()); });
    return table;
}

TViewModelTable<Base::ILiveImageViewModel> const& LiveImage()
{
    using VM = Base::ILiveImageViewModel;
    using Crosshair = VM::EItemCrosshair;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("crosshair",
                      [](VM const& vm)
                      {
                          switch (vm.GetCrossHair().Get())
                          {
                          case Crosshair::Ready:
                              return QVariant(QStringLiteral("Ready"));
                          case Crosshair::Tracking:
                              return QVariant(QStringLiteral("Tracking"));
                          case Crosshair::Searching:
                              return QVariant(QStringLiteral("Searching"));
                          default:
                              return QVariant(QStringLiteral("None"));
                          }
                      })
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); });
    return table;
}

TViewModelTable<Base::ILockGUIViewModel> const& LockGui()
{
    using VM = Base::ILockGUIViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("lockCount", [](VM& vm) { return QVariant(vm.GetLockCount().Get()); })
            .Property("workIndicator",
                      [](VM const& vm) { return QVariant(vm.GetShowAnimatedWorkIndicator().Get()); });
    return table;
}

TViewModelTable<Base::ICameraCalibrationViewModel> const& CameraCalibration()
{
    using VM = Base::ICameraCalibrationViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisibility().Get()); })
            .Property("state",
                      [](VM const& vm) { return QVariant(static_cast<int>(vm.GetCalibrationState().Get())); })
            .Property("instruction", [](VM const& vm)
                      { return QVariant(Text(vm.GetCalibrationWaitRequest().Get().GetInstructionText())); });
    return table;
}

TViewModelTable<Base::IColorCalibDialogViewModel> const& ColourDialog()
{
    using VM = Base::IColorCalibDialogViewModel;
    static TViewModelTable<VM> const table =
        TViewModelTable<VM>()
            .Property("visible", [](VM const& vm) { return QVariant(vm.GetVisible().Get()); })
            .Property("instruction", [](VM const& vm)
                      { return QVariant(Text(vm.GetCalibrationWaitRequest().Get().GetInstructionText())); })
            .Command("ok", [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetOKPressed().Get()); })
            .Command("cancel",
                     [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetCancelPressed().Get()); })
            .Command("custom",
                     [](VM& vm, QVariantList const&) { Base::ExecuteIfSet(vm.GetCustomPressed().Get()); });
    return table;
}
} // namespace Orx2Gui::Tables
