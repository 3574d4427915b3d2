#include "businesslayer/common/clockguiviewmodelbase.h"

#include <cstdint>

namespace BusinessLayer
{
Logging::CLogger const CLockGUIViewModelBase::s_logger(L"ORX2.CLockGUIViewModelBase");

CLockGUIViewModelBase::CLockGUIViewModelBase() = default;

CLockGUIViewModelBase::~CLockGUIViewModelBase() = default;

void CLockGUIViewModelBase::ShowAnimatedWorkIndicator(bool show)
{
    std::lock_guard<std::mutex> const lock(m_indicatorMutex);
    unsigned int const count = m_showAnimatedWorkIndicator.Get();
    unsigned int next = count + 1U;
    if (!show)
    {
        // The count minus one, taken as a signed 32-bit number, must not be negative.
        next = count - 1U;
        if (static_cast<std::int32_t>(next) < 0)
            next = 0U;
    }
    m_showAnimatedWorkIndicator.Set(next);
}
} // namespace BusinessLayer
