#include "reference_host/careaviewmodel.h"

#include <utility>

namespace ReferenceHost
{
CAreaViewModel::CAreaViewModel(std::shared_ptr<Base::IProperty<Base::EAreaItems>> selectedArea)
    : m_hostSelectedArea(std::move(selectedArea))
{
    if (m_hostSelectedArea != nullptr)
        m_selectedAreaObserver = Base::Binding::TValueChangedObserver<Base::EAreaItems>(
            *m_hostSelectedArea, Base::BindToOwner(GetOwnerGuard(), *this, [](CAreaViewModel& self, Base::EAreaItems area)
                                                   { self.SetSelectedArea(area); }));
}

CAreaViewModel::~CAreaViewModel()
{
    GetOwnerGuard().Close(); // the base's guard: no handler reaches this object once its destruction began
}
} // namespace ReferenceHost
