#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/tserializablecommand.h"

#include <memory>
#include <string>

namespace Orx2Sim
{
/// The area panel's thumbnails and the clicks on its tiles, as the GUI meets them: each area item's
/// thumbnail bar (which the host binds to the area's thumbnail source) with its thumbnails' numbers,
/// bitmap ids and selection, and the panel's activate command. The area tiles themselves read the same
/// panel (CAreasModule). Steps: add-thumbnail, select-thumbnail, remove-thumbnail, activate. The panel's
/// area view model and trash sit in their slots of the GUI configuration from Start to Stop.
///
/// A thumbnail's select command is registered while the thumbnail lives, under
/// "CThumbnailItemViewModelBase.Select_<area>_<number>"; `execute` steps may name it before the step
/// that adds the thumbnail has run (a session command form).
class CAreaPanelModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override;
    /// Per area Thumbnails and SelectedThumbnails: the bitmap ids the bar shows.
    static void DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen);
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    template <class... Args> using Command = std::shared_ptr<Base::TSerializableCommand<void, Args...>>;

    CSimHost* m_host = nullptr;
    Command<Base::EAreaItems, int, std::wstring> m_addThumbnail;
    Command<Base::EAreaItems, std::wstring> m_selectThumbnail;
    Command<Base::EAreaItems, std::wstring> m_removeThumbnail;
    Command<Base::EAreaItems> m_activate;
};
} // namespace Orx2Sim
