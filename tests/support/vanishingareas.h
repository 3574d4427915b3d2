#pragma once
// The host's areas as seen by a model that looks an area up twice while the engine removes it in
// between: a reference host whose GetArea stops finding an area after a given number of lookups, while
// IsAreaInstantiated still says it is there. It can also run a hook while it hands out a reference into
// the areas, as if the host let its areas go right then.
#include "reference_host/ccommonareas.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace Orx2Test
{
class VanishingAreas final : public ReferenceHost::CCommonAreas
{
public:
    /// From now on `area` is found by `lookups` more GetArea calls, then no more.
    void VanishAfter(Base::EAreaItems area, int lookups)
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_lookupsLeft[area] = lookups;
    }

    /// From now on `hook` runs, once, inside the next getter that returns a reference into the areas.
    void OnReferenceHandedOut(std::function<void()> hook)
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_onReferenceHandedOut = std::move(hook);
    }

    Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const override
    {
        HandOutReference();
        return CCommonAreas::GetIsRunningExceptReconstructionBindingSource();
    }
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToUpper() const override
    {
        HandOutReference();
        return CCommonAreas::GetBuccalRegistrationResultToUpper();
    }
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToLower() const override
    {
        HandOutReference();
        return CCommonAreas::GetBuccalRegistrationResultToLower();
    }
    Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
    GetBuccalRegistrationStrategyStatus() override
    {
        HandOutReference();
        return CCommonAreas::GetBuccalRegistrationStrategyStatus();
    }
    void GetArea(std::shared_ptr<BusinessLayer::ICommonArea>& result, Base::EAreaItems area) override
    {
        CCommonAreas::GetArea(result, area);
        if (Vanished(area))
            result.reset();
    }
    void GetArea(std::shared_ptr<BusinessLayer::ICommonArea const>& result,
                 Base::EAreaItems area) const override
    {
        CCommonAreas::GetArea(result, area);
        if (Vanished(area))
            result.reset();
    }

private:
    void HandOutReference() const
    {
        std::function<void()> hook;
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            hook.swap(m_onReferenceHandedOut);
        }
        if (hook)
            hook();
    }

    bool Vanished(Base::EAreaItems area) const
    {
        std::lock_guard<std::mutex> const lock(m_mutex);
        auto const left = m_lookupsLeft.find(area);
        if (left == m_lookupsLeft.end())
            return false;
        if (left->second == 0)
            return true;
        --left->second;
        return false;
    }

    mutable std::mutex m_mutex;
    mutable std::map<Base::EAreaItems, int> m_lookupsLeft;
    mutable std::function<void()> m_onReferenceHandedOut;
};
} // namespace Orx2Test
