#pragma once
#include "base/orx2basepool/interfaces/iinstantiatedareadataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Lets the GUI create a scan area in the host's areas, which it holds weakly.
/// Thread-safety: as the host's areas (the model adds no state).
class ORX2_COMMON_EXPORT CInstantiatedAreaDataExchangeModel
    : public Base::TNotifyPropertyChangedImpl<Base::IInstantiatedAreaDataExchangeModel>
{
public:
    /// Keeps a weak reference to `areas`.
    explicit CInstantiatedAreaDataExchangeModel(std::shared_ptr<ICommonAreas> const& areas);
    ~CInstantiatedAreaDataExchangeModel() override;

    /// Asks the host to instantiate `area` when it does not exist and the host allows it now; otherwise
    /// nothing happens. Throws OrxException "The areas must be set" when the host's areas are gone.
    void InstantiateArea(Base::EAreaItems area) override;

private:
    static Logging::CLogger const s_logger;

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
