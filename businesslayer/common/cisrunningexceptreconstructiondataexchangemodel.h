#pragma once
#include "base/orx2basepool/iisrunningexceptreconstructiondataexchangemodel.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

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

    /// The host's source; it lives as long as the host's areas. Throws OrxException "The areas must be
    /// set" when they are gone.
    Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const override;

private:
    static Logging::CLogger const s_logger;

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
