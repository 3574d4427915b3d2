#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/tserializablecommand.h"

#include <memory>

namespace Orx2Sim
{
/// The fourteen area tiles: what the case prescribes (Required), which areas exist and hold data and each
/// area's reconstruction, and from the area panel's view models the obligatory flags (its items follow
/// the dynamic required areas) and the selected area. Steps: prescribe, instantiate, data, remove,
/// select.
class CAreasModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override;
    /// Case.SelectedArea, and per area Required, Instantiated, Selected and Progress (in percent).
    static void DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen);
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    template <class... Args> using Command = std::shared_ptr<Base::TSerializableCommand<void, Args...>>;

    static bool IsRequired(CSimHost const& host, Base::EAreaItems area);
    bool IsObligatory(Base::EAreaItems area) const;
    bool IsInstantiated(Base::EAreaItems area) const;
    bool HasData(Base::EAreaItems area) const;
    bool IsSelected(Base::EAreaItems area) const;
    ReconstructionState GetReconstruction(Base::EAreaItems area) const;
    BusinessLayer::CAreaItemViewModelBase const& AreaItem(Base::EAreaItems area) const;
    static double GetProgressPercent(CSimHost const& host, Base::EAreaItems area);
    void RenderTile(CScreenCanvas& canvas, Base::EAreaItems area) const;

    CSimHost* m_host = nullptr;
    Command<Base::EAreaItems> m_instantiate;
    Command<Base::EAreaItems, bool> m_setHasData;
    Command<Base::EAreaItems> m_remove;
    Command<Base::EAreaItems> m_select;
};
} // namespace Orx2Sim
