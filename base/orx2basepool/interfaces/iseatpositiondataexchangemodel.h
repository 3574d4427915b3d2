#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"
#include "host/values/eorxseatposition.h"

namespace Base
{
/// Where the operator sits relative to the patient.
class ISeatPositionDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~ISeatPositionDataExchangeModel() override = default;

    /// The seat position; NotSet until set. Lives as long as the model.
    virtual IProperty<BusinessLayer::EORXSeatPosition> const& GetSeatPosition() const = 0;
    /// Sets it (a change notifies).
    virtual void SetSeatPosition(BusinessLayer::EORXSeatPosition position) = 0;
};

/// What the GUI binds of `ISeatPositionDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<ISeatPositionDataExchangeModel> : Describe::TMembersOf<ISeatPositionDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<BusinessLayer::EORXSeatPosition>("SeatPosition", &I::GetSeatPosition));
        // clang-format on
    }
};
} // namespace Base
