#pragma once
#include "base/orx2basepool/interfaces/iarearegistrationresultdataexchangemodel.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"
#include "host/contracts/icommonareas.h"

#include <memory>

namespace BusinessLayer
{
/// Hands the host's per-area registration infos to the GUI and answers whether all or any registrations
/// succeeded. The infos stay in the host: the model forwards the host's array through a proxy and the
/// setters to the host's ICommonAreas, which it holds weakly.
///
/// Once the host's areas are gone, the setters do nothing and the queries see an empty array; nothing
/// throws for missing areas. Thread-safety: every member may be called from any thread; the queries
/// never block on the array (an entry that cannot be read at once counts as missing).
class ORX2_COMMON_EXPORT CAreaRegistrationResultDataExchangeModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IAreaRegistrationResultDataExchangeModel>
{
public:
    /// Binds to the registration info array of `areas` and keeps a weak reference to them. Throws
    /// OrxException "The areas must be set" when `areas` is empty.
    explicit CAreaRegistrationResultDataExchangeModelBase(std::shared_ptr<ICommonAreas> const& areas);
    ~CAreaRegistrationResultDataExchangeModelBase() override;

    Base::Binding::IArrayBindingSource<RegistrationInfoPtr> const&
    GetAreaRegistrationInfoArray() const override;
    /// True at the first entry whose status is successful (2); false for no such entry.
    bool HasSuccessfulAreaRegistrations() const override;
    /// False at the first entry whose status is not successful (0 or 1); true otherwise, also for no
    /// entries. Empty entries and other status values count neither way.
    bool AllAreaRegistrationsSuccessful() const override;
    /// The entry at the area's position (itself possibly empty); empty when the array has no such
    /// position or it cannot be read at once.
    RegistrationInfoPtr GetAreaRegistrationInfo(Base::EAreaItems area) const override;
    /// Forward to the host's operations of the same name while the host's areas live.
    void SetAreaRegistration(Base::EAreaItems area, JbMatrix4Rd const& registration) override;
    /// Forwards to the host's operation of the same name while the host's areas live.
    void ResetAreaRegistration(Base::EAreaItems area) override;
    /// Forwards to the host's operation of the same name while the host's areas live.
    void SetImportedAreaRegistrationInfo(Base::EAreaItems area, bool isRegistered,
                                         JbMatrix4Rd const& registration, float quality) override;

private:
    using ERegistrationStatus = IAreaRegistrationInfo::ERegistrationStatus;

    /// Walks the entries as they are now and returns true at the first one whose status satisfies `match`.
    template <class Match> bool AnyStatus(Match match) const;

    static Logging::CLogger const s_logger;

    Base::Binding::TArrayBindingSourceProxy<RegistrationInfoPtr> m_registrationInfos;
    std::weak_ptr<ICommonAreas> m_areas;
};
} // namespace BusinessLayer
