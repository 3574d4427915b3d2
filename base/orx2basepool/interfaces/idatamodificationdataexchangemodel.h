#pragma once
#include "base/orx2basepool/ieventsignal.h"
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// Tells the GUI that scan data were modified.
class IDataModificationDataExchangeModel : public INonCopyable
{
public:
    virtual ~IDataModificationDataExchangeModel() = default;

    /// Fired, on the host's thread, for every modification of scan data while forwarding is enabled.
    /// Lives as long as the model.
    virtual IEventSignal<void> const& GetModifiedEvent() const = 0;
};

/// What the GUI binds of `IDataModificationDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IDataModificationDataExchangeModel>
    : Describe::TMembersOf<IDataModificationDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Event<void>("ModifiedEvent", &I::GetModifiedEvent));
        // clang-format on
    }
};
} // namespace Base
