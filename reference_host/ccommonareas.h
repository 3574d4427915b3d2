#pragma once
#include "base/orx2basepool/tarrayproperty.h"
#include "base/orx2basepool/teventsignal.h"
#include "base/orx2basepool/tproperty.h"
#include "base/orx2basepool/tvaluebindingsource.h"
#include "host/contracts/icommonareas.h"
#include "reference_host/ccommonarea.h"
#include "base/orx2basepool/csilentchangeowner.h"

#include <array>
#include <atomic>
#include <mutex>
#include <optional>

namespace ReferenceHost
{
/// An in-memory set of scan areas, the reference for hosts implementing ICommonAreas.
///
/// Tests, examples and simulators drive it through the plain setters below, as the acquisition engine
/// would: each stores the value and, where the value is observable, tells observers when it differs, on
/// the calling thread. Every member is thread-safe. No lock of this object is held while observers are
/// told, so they may call back into it (a handler must still not set the source it is handling).
///
/// Only the real areas 0 to 13 can exist; operations on other values do nothing and report nothing.
/// Nothing is instantiated at first, every known area may be instantiated, and every source starts at
/// its "nothing happened" value. To test how models cope with a host that is gone, destroy the object.
class CCommonAreas : public BusinessLayer::ICommonAreas
{
public:
    /// What SetImportedAreaRegistrationInfo stored.
    struct SImportedRegistrationInfo
    {
        bool isRegistered; ///< The registration flag.
        JbMatrix4Rd registration; ///< The transformation.
        float quality; ///< The quality.
    };

    /// Knows `knownAreas` (GetAreas returns them in this order); by default the fourteen real areas in
    /// ascending order. Throws std::bad_alloc.
    explicit CCommonAreas(std::vector<Base::EAreaItems> knownAreas = AllAreas());
    ~CCommonAreas() override;

    /// The fourteen real areas in ascending order.
    static std::vector<Base::EAreaItems> AllAreas();

    // ICommonAreas
    Base::Binding::IValueBindingSource<std::uint64_t> const& GetAreaSetRevision() const override;
    void GetAreas(std::vector<Base::EAreaItems>& areas) const override;
    bool CanInstantiateArea(Base::EAreaItems area) const override;
    bool IsAreaInstantiated(Base::EAreaItems area) const override;
    /// Creates the area's CCommonArea and changes the revision, unless it exists already. Does not ask
    /// CanInstantiateArea: that is the caller's business.
    void InstantiateArea(Base::EAreaItems area) override;
    Base::Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const override;
    std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection(Base::EAreaItems area) const override;
    std::shared_ptr<Base::ISurfelCollectionColored> GetSurfelCollection() const override;
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToUpper() const override;
    Base::IProperty<Base::CBuccalRegistrationResult> const&
    GetBuccalRegistrationResultToLower() const override;
    void SetBuccalRegistrationResultToUpper(Base::CBuccalRegistrationResult result) override;
    void SetBuccalRegistrationResultToLower(Base::CBuccalRegistrationResult result) override;
    Base::Binding::IValueBindingSource<Base::EBuccalRegistrationStrategyStatus>&
    GetBuccalRegistrationStrategyStatus() override;
    Base::Binding::IArrayBindingSource<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>> const&
    GetAreaRegistrationInfoArray() const override;
    Base::IEventSignal<void> const& GetDataModifiedEvent() const override;
    void GetArea(std::shared_ptr<BusinessLayer::ICommonArea>& result, Base::EAreaItems area) override;
    void GetArea(std::shared_ptr<BusinessLayer::ICommonArea const>& result,
                 Base::EAreaItems area) const override;
    void SetAreaRegistration(Base::EAreaItems area, JbMatrix4Rd const& registration) override;
    void ResetAreaRegistration(Base::EAreaItems area) override;
    void SetImportedAreaRegistrationInfo(Base::EAreaItems area, bool isRegistered,
                                         JbMatrix4Rd const& registration, float quality) override;

    // The engine's side.

    /// The area object to drive, or empty when the area is not instantiated.
    std::shared_ptr<CCommonArea> GetCommonArea(Base::EAreaItems area) const;
    /// Drops the area's object (it lives on while others hold it) and changes the revision, if it existed.
    void RemoveArea(Base::EAreaItems area);
    /// What CanInstantiateArea answers for `area` from now on.
    void SetCanInstantiateArea(Base::EAreaItems area, bool canInstantiate);
    /// Sets the is-running-except-reconstruction flag, notifying on a change.
    void SetIsRunningExceptReconstruction(bool running);
    /// Sets the strategy status of the buccal registration, notifying on a change.
    void SetBuccalRegistrationStrategyStatus(Base::EBuccalRegistrationStrategyStatus status);
    /// Sets the coloured surfel collection of `area` (empty: none).
    void SetSurfelCollection(Base::EAreaItems area,
                             std::shared_ptr<Base::ISurfelCollectionColored> collection);
    /// Sets the coloured surfel collection of the whole case (empty: none).
    void SetSurfelCollection(std::shared_ptr<Base::ISurfelCollectionColored> collection);
    /// Puts `info` at the area's position of the registration info array; the array grows with empty
    /// entries as needed.
    void SetAreaRegistrationInfo(Base::EAreaItems area,
                                 std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const> const& info);
    /// Replaces the whole registration info array (entries may be empty, any length).
    void SetAreaRegistrationInfos(
        std::vector<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>> const& infos);
    /// Fires the data-modified event on this thread.
    void FireDataModified();

    /// What SetAreaRegistration stored for `area`; empty when none or after ResetAreaRegistration.
    std::optional<JbMatrix4Rd> GetStoredAreaRegistration(Base::EAreaItems area) const;
    /// What SetImportedAreaRegistrationInfo stored last for `area`; empty when nothing.
    std::optional<SImportedRegistrationInfo> GetImportedAreaRegistrationInfo(Base::EAreaItems area) const;

private:
    static bool IsRealArea(Base::EAreaItems area) noexcept;
    void ChangeRevision();

    std::vector<Base::EAreaItems> const m_knownAreas;

    mutable std::mutex m_mutex; // guards the arrays below
    std::array<std::shared_ptr<CCommonArea>, Base::kAreaItemCount> m_areas;
    std::array<bool, Base::kAreaItemCount> m_canInstantiate;
    std::array<std::shared_ptr<Base::ISurfelCollectionColored>, Base::kAreaItemCount> m_surfelCollections;
    std::shared_ptr<Base::ISurfelCollectionColored> m_allSurfels;
    std::array<std::optional<JbMatrix4Rd>, Base::kAreaItemCount> m_registrations;
    std::array<std::optional<SImportedRegistrationInfo>, Base::kAreaItemCount> m_importedRegistrations;

    Base::CSilentChangeOwner m_propertyOwner;
    std::atomic<std::uint64_t> m_revisionCounter{0};
    Base::Binding::TValueBindingSource<std::uint64_t> m_areaSetRevision;
    Base::Binding::TValueBindingSource<bool> m_isRunningExceptReconstruction;
    Base::TProperty<Base::CBuccalRegistrationResult> m_buccalToUpper;
    Base::TProperty<Base::CBuccalRegistrationResult> m_buccalToLower;
    Base::Binding::TValueBindingSource<Base::EBuccalRegistrationStrategyStatus> m_strategyStatus;
    Base::Binding::TArrayProperty<std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>>
        m_registrationInfos;
    Base::TEventSignal<void> m_dataModified;
};
} // namespace ReferenceHost
