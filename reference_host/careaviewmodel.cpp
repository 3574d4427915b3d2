#include "reference_host/careaviewmodel.h"

#include <utility>

namespace ReferenceHost
{
CAreaViewModel::CAreaViewModel(std::shared_ptr<Base::IProperty<Base::EAreaItems>> selectedArea)
    : m_hostSelectedArea(std::move(selectedArea))
{
    if (m_hostSelectedArea != nullptr)
        m_selectedAreaObserver = Base::Binding::TValueChangedObserver<Base::EAreaItems>(
            *m_hostSelectedArea, [this](Base::EAreaItems area) { SetSelectedArea(area); });
}

CAreaViewModel::~CAreaViewModel() = default;
} // namespace ReferenceHost
