#pragma once
#include "businesslayer/common/cismodeltaballoweddataexchangemodelbase.h"

#include <memory>

namespace ReferenceHost
{
/// The model-tab model of the reference host: an area holds data when its has-data-or-reconstruction
/// flag is true. Observes from construction on; its destructor closes the base's owner guard first, so
/// that no handler of the base reaches GetAreaDataAvailable once this class is being destroyed.
/// Thread-safety: as the base. It follows the host from its constructor on, so it is used as it is: in a
/// class derived from it, a handler on an engine thread could reach the object while the derived
/// constructor is still building it.
class CIsModelTabAllowedDataExchangeModel : public BusinessLayer::CIsModelTabAllowedDataExchangeModelBase
{
public:
    using CIsModelTabAllowedDataExchangeModelBase::GetHasDataArray;

    /// Starts observing `areas` (held weakly) at once. Throws what the base's constructor and Init throw.
    CIsModelTabAllowedDataExchangeModel(
        std::shared_ptr<BusinessLayer::ICommonAcquisitionProperties> const& properties,
        std::shared_ptr<BusinessLayer::ICommonAreas> const& areas);
    ~CIsModelTabAllowedDataExchangeModel() override;

protected:
    /// The area's has-data-or-reconstruction source (it lives in the area's object). Throws OrxException
    /// when the host's areas are gone or `area` has no object (the base then treats the area as gone).
    Base::Binding::IValueBindingSource<bool> const& GetAreaDataAvailable(Base::EAreaItems area) override;

private:
    std::weak_ptr<BusinessLayer::ICommonAreas> m_areas;
};
} // namespace ReferenceHost
