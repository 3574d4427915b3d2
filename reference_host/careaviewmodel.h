#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/careaviewmodelbase.h"

#include <memory>

namespace ReferenceHost
{
/// The reference host's area panel view model: SelectedArea follows the host's selected-area property
/// (which the case's default active area and the activate command write), on the thread that set it.
/// Thread-safety: as the base.
class CAreaViewModel final : public BusinessLayer::CAreaViewModelBase
{
public:
    /// Follows `selectedArea` from now on (its current value is taken at once); an empty pointer leaves
    /// SelectedArea at LowerJaw. Keeps the property alive. Throws std::bad_alloc.
    explicit CAreaViewModel(std::shared_ptr<Base::IProperty<Base::EAreaItems>> selectedArea);
    /// Stops following before the base goes.
    ~CAreaViewModel() override;

private:
    std::shared_ptr<Base::IProperty<Base::EAreaItems>> const m_hostSelectedArea;
    Base::Binding::TValueChangedObserver<Base::EAreaItems> m_selectedAreaObserver;
};
} // namespace ReferenceHost
