#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// Whether the model tab may be opened and whether any scan data exist.
class IIsModelTabAllowedDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IIsModelTabAllowedDataExchangeModel() override = default;

    /// True when the model tab may be opened. Lives as long as the model.
    virtual IProperty<bool> const& GetIsModelTabAllowed() const = 0;
    /// Allows or forbids the tab until the next evaluation decides again.
    virtual void SetIsModelTabAllowed(bool allowed) = 0;
    /// True when any area holds data. Lives as long as the model.
    virtual IProperty<bool> const& GetIsDataAvailable() const = 0;
    /// Sets the flag until the next evaluation decides again.
    virtual void SetIsDataAvailable(bool available) = 0;
};

/// What the GUI binds of `IIsModelTabAllowedDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IIsModelTabAllowedDataExchangeModel>
    : Describe::TMembersOf<IIsModelTabAllowedDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("IsModelTabAllowed", &I::GetIsModelTabAllowed),
            Property<bool>("IsDataAvailable", &I::GetIsDataAvailable));
        // clang-format on
    }
};
} // namespace Base
