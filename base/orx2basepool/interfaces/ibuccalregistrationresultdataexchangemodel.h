#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/cbuccalregistrationresult.h"
#include "host/values/ebuccalregistrationstrategystatus.h"

namespace Base
{
/// The registration of the buccal (bite) scan to both jaws and the state of the strategy that computes it.
class IBuccalRegistrationResultDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IBuccalRegistrationResultDataExchangeModel() override = default;

    /// The property the GUI binds as `BuccalRegistrationResultToUpper`.
    virtual IProperty<CBuccalRegistrationResult> const& GetBuccalRegistrationResultToUpper() const = 0;
    /// The property the GUI binds as `BuccalRegistrationResultToLower`.
    virtual IProperty<CBuccalRegistrationResult> const& GetBuccalRegistrationResultToLower() const = 0;
    /// Replaces what `GetBuccalRegistrationResultToUpper` hands out.
    virtual void SetBuccalRegistrationResultToUpper(CBuccalRegistrationResult result) = 0;
    /// Replaces what `GetBuccalRegistrationResultToLower` hands out.
    virtual void SetBuccalRegistrationResultToLower(CBuccalRegistrationResult result) = 0;
    /// The host's strategy status of the buccal registration, as a value source (not described: the
    /// renderer reads it, not the GUI).
    virtual Binding::IValueBindingSource<EBuccalRegistrationStrategyStatus>& GetBuccalRegistrationStrategyStatus() = 0;
};

/// What the GUI binds of `IBuccalRegistrationResultDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IBuccalRegistrationResultDataExchangeModel>
    : Describe::TMembersOf<IBuccalRegistrationResultDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<CBuccalRegistrationResult>(
                "BuccalRegistrationResultToUpper", &I::GetBuccalRegistrationResultToUpper),
            Property<CBuccalRegistrationResult>(
                "BuccalRegistrationResultToLower", &I::GetBuccalRegistrationResultToLower),
            ValueSource<EBuccalRegistrationStrategyStatus>(
                "BuccalRegistrationStrategyStatus", &I::GetBuccalRegistrationStrategyStatus));
        // clang-format on
    }
};
} // namespace Base
