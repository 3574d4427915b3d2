#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"
#include "host/contracts/iarearegistrationinfo.h"
#include "host/values/jbmatrix4r.h"

#include <memory>

namespace Base
{
/// The registration of every scan area into the common frame: one registration info per area
/// (position = EAreaItems value) and whether all or any registrations succeeded.
class IAreaRegistrationResultDataExchangeModel : public INotifyPropertyChanged
{
public:
    /// An entry of the array: the registration of one area, shared with the host.
    using RegistrationInfoPtr = std::shared_ptr<BusinessLayer::IAreaRegistrationInfo const>;

    ~IAreaRegistrationResultDataExchangeModel() override = default;

    /// One entry per area; entries may be empty. Lives as long as the model.
    virtual Binding::IArrayBindingSource<RegistrationInfoPtr> const& GetAreaRegistrationInfoArray() const = 0;
    /// True when at least one entry reports a successful registration.
    virtual bool HasSuccessfulAreaRegistrations() const = 0;
    /// False when at least one entry reports an unsuccessful registration (true for no entries).
    virtual bool AllAreaRegistrationsSuccessful() const = 0;
    /// The entry of `area`; empty when the array has none.
    virtual RegistrationInfoPtr GetAreaRegistrationInfo(EAreaItems area) const = 0;
    /// Stores, clears or imports the registration of `area` in the host.
    virtual void SetAreaRegistration(EAreaItems area, JbMatrix4Rd const& registration) = 0;
    /// Clears the registration of `area` in the host.
    virtual void ResetAreaRegistration(EAreaItems area) = 0;
    /// Imports a registration of `area` into the host: its flag, its transformation and its quality.
    virtual void SetImportedAreaRegistrationInfo(EAreaItems area, bool isRegistered, JbMatrix4Rd const& registration,
                                                 float quality) = 0;
};

/// What the GUI binds of `IAreaRegistrationResultDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IAreaRegistrationResultDataExchangeModel>
    : Describe::TMembersOf<IAreaRegistrationResultDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ArraySource<I::RegistrationInfoPtr>("AreaRegistrationInfoArray", &I::GetAreaRegistrationInfoArray),
            Value<bool>("HasSuccessfulAreaRegistrations", &I::HasSuccessfulAreaRegistrations),
            Value<bool>("AllAreaRegistrationsSuccessful", &I::AllAreaRegistrationsSuccessful),
            AreaValue<I::RegistrationInfoPtr>("AreaRegistrationInfo", &I::GetAreaRegistrationInfo));
        // clang-format on
    }
};
} // namespace Base
