#include "reference_host/clockguifollower.h"

#include "host/acquisitionbase/acommandbase.h"

namespace ReferenceHost
{
CLockGUIFollower::CLockGUIFollower(std::shared_ptr<BusinessLayer::CLockGUIViewModelBase> const& viewModel)
    : m_observer(
          Base::ACommandBase::s_numberOfActiveGUILockingCommands,
          [weakViewModel = std::weak_ptr<BusinessLayer::CLockGUIViewModelBase>(viewModel)](unsigned int count)
          {
              if (auto const live = weakViewModel.lock())
                  live->GetLockCount().Set(count);
          })
{
}

CLockGUIFollower::~CLockGUIFollower() = default;
} // namespace ReferenceHost
