#pragma once
#include "base/orx2basepool/interfaces/iisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/contracts/icommonareas.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the host's is-running-except-reconstruction flag to the GUI. Holds the host's areas weakly.
/// Thread-safety: as the host's areas.
class ORX2_COMMON_EXPORT CIsRunningExceptReconstructionDataExchangeModel
    : public Base::IIsRunningExceptReconstructionDataExchangeModel
{
public:
    /// Keeps a weak reference to `areas`.
    explicit CIsRunningExceptReconstructionDataExchangeModel(std::shared_ptr<ICommonAreas> const& areas);
    ~CIsRunningExceptReconstructionDataExchangeModel() override;

    /// The host's own source, inside the host's areas object: valid exactly as long as that object lives
    /// (the model does not keep it alive). Whoever reads it while the host may let its areas go holds
    /// the areas for the call and the reads; inside a delivery the call's own hold is released only once
    /// the delivery is over. Throws OrxException "The areas must be set" when they are gone.
    Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const override;

private:
    static Logging::CLogger const s_logger;

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
