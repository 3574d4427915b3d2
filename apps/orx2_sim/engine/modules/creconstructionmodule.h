#pragma once
#include "../isimmodule.h"

#include "base/orx2basepool/tserializablecommand.h"
#include "host/values/eimageprocessingprogress.h"

#include <memory>

namespace Orx2Sim
{
/// The reconstruction progress bar and the overall reconstruction state, as the progress and result
/// models publish them. Steps: progress, result, fail, recover, processing, contributes.
class CReconstructionModule final : public ISimModule
{
public:
    void Start(CSimHost& host) override;
    /// Reconstruction.Results: derived from the result array, which the descriptions show only as a list.
    static void DeclareScreenValues(CPropertyCatalog& catalog, SSimScreen const& screen);
    void DeclareSteps(CStepCatalog& steps) override;
    void Render(CScreenCanvas& canvas) const override;
    void Stop() override;

private:
    template <class... Args> using Command = std::shared_ptr<Base::TSerializableCommand<void, Args...>>;

    static double GetProgressPercent(CSimHost const& host);
    static std::size_t CountResults(CSimHost const& host);

    CSimHost* m_host = nullptr;
    Command<Base::EAreaItems, float> m_setProgress;
    Command<Base::EAreaItems, unsigned int> m_deliverResult;
    Command<Base::EAreaItems, BusinessLayer::EImageProcessingProgress> m_setProcessing;
    Command<Base::EAreaItems, bool> m_setContributes;
};
} // namespace Orx2Sim
