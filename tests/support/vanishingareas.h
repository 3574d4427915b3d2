#pragma once
// The host's areas as seen by a model that looks an area up twice while the engine removes it in
// between: a decorator of the reference host whose GetArea stops finding an area after a given number of
// lookups, while IsAreaInstantiated still says it is there. It can also run a hook while it hands out a
// reference into the areas, as if the host let its areas go right then.
#include "reference_host/ccommonareas.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace Orx2Test
{
class VanishingAreas final : public BusinessLayer::ICommonAreas
{
public:
    explicit VanishingAreas(std::shared_ptr<ReferenceHost::CCommonAreas> inner) : m_inner(std::move(inner)) {}

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

    Base::Binding::IValueBindingSource<std::uint64_t> const& GetAreaSetRevision() const override
    {
        return m_inner->GetAreaSetRevision();
    }
    void GetAreas(std::vector<Base::EAreaItems>& areas) const override { m_inner->GetAreas(areas); }
    bool CanInstantiateArea(Base::EAreaItems area) const override
    {
        return m_inner->CanInstantiateArea(area);
    }
    bool IsAreaInstantiated(Base::EAreaItems area) const override
    {
        return m_inner->IsAreaInstantiated(area);
    }
    void InstantiateArea(Base::EAreaItems area) override { m_inner->InstantiateArea(area); }
    Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const override
    {
        HandOutReference();
        return m_inner->GetIsRunningExceptReconstructionBindingSource();
    }
    std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection(Base::EAreaItems area) const override
    {
        return m_inner->GetSurfelCollection(area);
    }
    std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection() const override
    {
        return m_inner->GetSurfelCollection();
    }
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToUpper() const override
    {
        HandOutReference();
        return m_inner->GetBuccalRegistrationResultToUpper();
    }
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToLower() const override
    {
        HandOutReference();
        return m_inner->GetBuccalRegistrationResultToLower();
    }
    void SetBuccalRegistrationResultToUpper(Base::CBuccalRegistrationResult result) override
    {
        m_inner->SetBuccalRegistrationResultToUpper(result);
    }
    void SetBuccalRegistrationResultToLower(Base::CBuccalRegistrationResult result) override
    {
        m_inner->SetBuccalRegistrationResultToLower(result);
    }
    Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
    GetBuccalRegistrationStrategyStatus() override
    {
        HandOutReference();
        return m_inner->GetBuccalRegistrationStrategyStatus();
    }
    Base::Binding::IArrayBindingSource<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>> const&
    GetAreaRegistrationInfoArray() const override
    {
        return m_inner->GetAreaRegistrationInfoArray();
    }
    Base::IEventSignal<void> const& GetDataModifiedEvent() const override
    {
        return m_inner->GetDataModifiedEvent();
    }
    void GetArea(std::shared_ptr<BusinessLayer::ICommonArea>& result, Base::EAreaItems area) override
    {
        m_inner->GetArea(result, area);
        if (Vanished(area))
            result.reset();
    }
    void GetArea(std::shared_ptr<BusinessLayer::ICommonArea const>& result,
                 Base::EAreaItems area) const override
    {
        m_inner->GetArea(result, area);
        if (Vanished(area))
            result.reset();
    }
    void SetAreaRegistration(Base::EAreaItems area, JbMatrix4Rd const& registration) override
    {
        m_inner->SetAreaRegistration(area, registration);
    }
    void ResetAreaRegistration(Base::EAreaItems area) override { m_inner->ResetAreaRegistration(area); }
    void SetImportedAreaRegistrationInfo(Base::EAreaItems area, bool isRegistered,
                                         JbMatrix4Rd const& registration, float quality) override
    {
        m_inner->SetImportedAreaRegistrationInfo(area, isRegistered, registration, quality);
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

    std::shared_ptr<ReferenceHost::CCommonAreas> const m_inner;
    mutable std::mutex m_mutex;
    mutable std::map<Base::EAreaItems, int> m_lookupsLeft;
    mutable std::function<void()> m_onReferenceHandedOut;
};
} // namespace Orx2Test
