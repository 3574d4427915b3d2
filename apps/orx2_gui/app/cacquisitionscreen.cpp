#include "cacquisitionscreen.h"

#include "viewmodeltables.h"

#include "bridge/carraylistmodel.h"
#include "bridge/cguilock.h"
#include "bridge/cviewmodelmap.h"
#include "bridge/tslotwatch.h"
#include "engine/csimhost.h"
#include "engine/simtext.h"

#include <QVariantMap>

namespace Orx2Gui
{
namespace
{
using Base::EAreaItems;

/// The tiles as the screen lays them out: the upper side left, the lower side right, registrations last.
constexpr EAreaItems kTileOrder[] = {
    EAreaItems::UpperJaw,         EAreaItems::LowerJaw,         EAreaItems::PreOpUpper,
    EAreaItems::PreOpLower,       EAreaItems::BiogenRefUpper,   EAreaItems::BiogenRefLower,
    EAreaItems::GingivaMaskUpper, EAreaItems::GingivaMaskLower, EAreaItems::ScanbodyUpper,
    EAreaItems::ScanbodyLower,    EAreaItems::BiteUpper,        EAreaItems::BiteLower,
    EAreaItems::BuccalReg,        EAreaItems::ArticulationReg,
};

QVariant AsVariant(QObject* object)
{
    return QVariant::fromValue(object);
}

/// A list whose rows are maps of the array's elements (role "item"), for elements that change by
/// themselves (a thumbnail's selection, a menu entry's text).
template <class I>
QObject* MakeElementList(Base::Binding::IArrayBindingSource<std::shared_ptr<I>> const& source,
                         std::shared_ptr<void const> lifetime, TViewModelTable<I> const& table,
                         QObject* parent)
{
    return MakeArrayListModel<std::shared_ptr<I>>(
        source, std::move(lifetime), QStringList{QStringLiteral("item")},
        [&table](std::shared_ptr<I> const& element)
        {
            QVariantMap row;
            row.insert(QStringLiteral("item"),
                       AsVariant(element ? MakeViewModelMap(element, table, nullptr) : nullptr));
            return row;
        },
        parent);
}
} // namespace

CAcquisitionScreen::CAcquisitionScreen(Orx2Sim::CSimHost& host, int stepCount, QObject* parent)
    : QObject(parent), m_guiLock(new CGuiLock(this)), m_stepCount(stepCount)
{
    auto& data = host.GetConfiguration();
    m_progress = MakeViewModelMap<Base::IReconstructionProgressBarDataExchangeModel>(
        data.GetReconstructionProgressDataExchangeModel(), Tables::Progress(), this);
    m_result = MakeViewModelMap<Base::IReconstructionResultDataExchangeModel>(
        data.GetTriangulationConfiguration(), Tables::Result(), this);

    auto& gui = host.GetGuiConfiguration();
    m_watches.push_back(std::make_shared<TSlotWatch<Base::IAreaViewModel>>(
        gui.GetAreaConfiguration(), [this](auto const& panel) { ShowAreaPanel(panel); }));
    m_watches.push_back(std::make_shared<TSlotWatch<Base::ISidePanelViewModel>>(
        gui.GetSidePanelConfiguration(), [this](auto const& panel) { ShowSidePanel(panel); }));
    m_watches.push_back(std::make_shared<TSlotWatch<Base::IStepMenuViewModel>>(
        gui.GetStepMenuConfiguration(), [this](auto const& menu) { ShowStepMenu(menu); }));
    FollowSlot(Tables::LiveImage(), m_liveImage, &CAcquisitionScreen::liveImageChanged,
               gui.GetLiveImageConfiguration());
    FollowSlot(Tables::LockGui(), m_lockGui, &CAcquisitionScreen::lockGuiChanged,
               gui.GetLockGUIConfiguration());
    FollowSlot(Tables::CameraCalibration(), m_calibration, &CAcquisitionScreen::calibrationChanged,
               gui.GetCameraCalibrationConfiguration());
    FollowSlot(Tables::ColourDialog(), m_colourDialog, &CAcquisitionScreen::colourDialogChanged,
               gui.GetColorCalibDialogConfiguration());
}

CAcquisitionScreen::~CAcquisitionScreen()
{
    m_watches.clear(); // no slot callback from here on; the maps go with the children
}

QObject* CAcquisitionScreen::GetGuiLock() const
{
    return m_guiLock;
}

void CAcquisitionScreen::ShowStep(int number, QString const& text)
{
    m_stepNumber = number;
    m_stepText = text;
    Q_EMIT stepChanged();
}

void CAcquisitionScreen::Replace(QPointer<QObject>& target, QObject* replacement)
{
    if (target)
        target->deleteLater(); // QML may still read it until the change signal has been handled
    target = replacement;
}

template <class I, class Table>
void CAcquisitionScreen::FollowSlot(Table const& table, QPointer<QObject>& target,
                                    void (CAcquisitionScreen::*changed)(),
                                    Base::IProperty<std::shared_ptr<I>> const& slot)
{
    m_watches.push_back(std::make_shared<TSlotWatch<I>>(
        slot,
        [this, &table, &target, changed](std::shared_ptr<I> const& viewModel)
        {
            Replace(target, viewModel ? MakeViewModelMap(viewModel, table, this) : nullptr);
            Q_EMIT(this->*changed)();
        }));
}

void CAcquisitionScreen::ShowAreaPanel(std::shared_ptr<Base::IAreaViewModel> const& panel)
{
    for (QPointer<QObject>& object : m_tileObjects)
        Replace(object, nullptr);
    m_tileObjects.clear();
    m_tiles.clear();
    Replace(m_areaPanel, panel ? MakeViewModelMap(panel, Tables::AreaPanel(), this) : nullptr);
    if (panel)
    {
        auto const items = panel->GetAreaItemViewModels();
        for (EAreaItems const area : kTileOrder)
        {
            auto const& item = items.at(Base::AreaIndex(area));
            auto const bar = item->GetThumbnailBarConfiguartion();
            QObject* const map = MakeViewModelMap(item, Tables::AreaTile(), this);
            QObject* const thumbnails =
                MakeElementList(bar->GetThumbnailsArrayBindingSource(), bar, Tables::Thumbnail(), this);
            m_tileObjects.emplace_back(map);
            m_tileObjects.emplace_back(thumbnails);
            QVariantMap tile;
            tile.insert(QStringLiteral("name"), QString::fromStdString(Orx2Sim::AreaText(area)));
            tile.insert(QStringLiteral("area"), static_cast<int>(area));
            tile.insert(QStringLiteral("item"), AsVariant(map));
            tile.insert(QStringLiteral("thumbnails"), AsVariant(thumbnails));
            m_tiles.append(tile);
        }
    }
    Q_EMIT areaPanelChanged();
}

void CAcquisitionScreen::ShowSidePanel(std::shared_ptr<Base::ISidePanelViewModel> const& panel)
{
    for (QPointer<QObject>& object : m_toolObjects)
        Replace(object, nullptr);
    m_toolObjects.clear();
    m_tools.clear();
    Replace(m_sidePanel, panel ? MakeViewModelMap(panel, Tables::SidePanel(), this) : nullptr);
    if (panel)
        for (auto const& tool : panel->GetToolsItems())
        {
            if (!tool)
                continue;
            QObject* const map = MakeViewModelMap(tool, Tables::Tool(), this);
            m_toolObjects.emplace_back(map);
            QVariantList actions;
            for (auto const& action : tool->GetItemTypeToolActions())
            {
                QObject* const actionMap =
                    action ? MakeViewModelMap(action, Tables::ToolAction(), this) : nullptr;
                m_toolObjects.emplace_back(actionMap);
                actions.append(AsVariant(actionMap));
            }
            QVariantMap entry;
            entry.insert(QStringLiteral("item"), AsVariant(map));
            entry.insert(QStringLiteral("actions"), actions);
            m_tools.append(entry);
        }
    Q_EMIT sidePanelChanged();
}

void CAcquisitionScreen::ShowStepMenu(std::shared_ptr<Base::IStepMenuViewModel> const& menu)
{
    Replace(m_stepMenu,
            menu ? MakeElementList(menu->GetStepMenuItems(), menu, Tables::StepMenuItem(), this) : nullptr);
    Q_EMIT stepMenuChanged();
}
} // namespace Orx2Gui
