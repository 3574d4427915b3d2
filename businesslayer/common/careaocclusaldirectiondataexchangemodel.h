#pragma once
#include "base/orx2basepool/interfaces/iareaocclusaldirectiondataexchangemodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Reads and stores the occlusal direction of an area in the host's area object, which it reaches
/// through the host's areas (held weakly).
///
/// Both operations throw OrxException "The areas must be set" when the host's areas are gone.
/// Thread-safety: as the host's areas (the model adds no state).
class ORX2_COMMON_EXPORT CAreaOcclusalDirectionDataExchangeModel
    : public Base::TNotifyPropertyChangedImpl<Base::IAreaOcclusalDirectionDataExchangeModel>
{
public:
    /// Keeps a weak reference to `areas`.
    explicit CAreaOcclusalDirectionDataExchangeModel(std::shared_ptr<ICommonAreas> const& areas);
    ~CAreaOcclusalDirectionDataExchangeModel() override;

    /// The direction stored in the instantiated `area`, else the identity; never instantiates.
    JbMatrix4Rf GetOcclusalDirection(Base::EAreaItems area) const override;
    /// Instantiates `area` when it does not exist and the host allows it (else does nothing), then stores
    /// `direction` in it.
    void SetOcclusalDirection(Base::EAreaItems area, JbMatrix4Rf direction) override;

private:
    static Logging::CLogger const s_logger;

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
