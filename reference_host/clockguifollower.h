#pragma once
#include "base/orx2basepool/tvaluechangedobserver.h"
#include "businesslayer/common/clockguiviewmodelbase.h"

#include <memory>

namespace ReferenceHost
{
/// Keeps a lock-GUI view model's lock count equal to the number of GUI-locking commands running in the
/// process, from construction (it takes the current number at once) until destruction. The view model
/// is held weakly: once it is gone the follower does nothing.
///
/// Thread-safety: the count is set on the thread whose command changed the number, inside that change;
/// changes from several threads reach the view model one at a time, in the order of the number's
/// changes. After the destructor returns the view model is not set any more.
class CLockGUIFollower
{
public:
    /// Throws std::bad_alloc and what the view model's handlers throw.
    explicit CLockGUIFollower(std::shared_ptr<BusinessLayer::CLockGUIViewModelBase> const& viewModel);
    ~CLockGUIFollower();
    CLockGUIFollower(CLockGUIFollower const&) = delete;
    CLockGUIFollower& operator=(CLockGUIFollower const&) = delete;

private:
    Base::Binding::TValueChangedObserver<unsigned int> m_observer;
};
} // namespace ReferenceHost
