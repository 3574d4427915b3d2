#pragma once
#include "base/orx2basepool/interfaces/iareasurfelcolletiondataexchangemodel.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the host's surfel collections to the GUI. Holds the host's areas weakly; once they are gone
/// both operations return an empty pointer. Thread-safety: as the host's areas.
class ORX2_COMMON_EXPORT CAreaSurfelColletionDataExchangeModel
    : public Base::IAreaSurfelColletionDataExchangeModel
{
public:
    /// Keeps a weak reference to `areas`.
    explicit CAreaSurfelColletionDataExchangeModel(std::shared_ptr<ICommonAreas> const& areas);
    ~CAreaSurfelColletionDataExchangeModel() override;

    std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection(Base::EAreaItems area) override;
    std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection() override;

private:
    static Logging::CLogger const s_logger;

    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
