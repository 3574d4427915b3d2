#pragma once
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// Whether the engine is busy with anything but reconstruction.
class IIsRunningExceptReconstructionDataExchangeModel : public INonCopyable
{
public:
    virtual ~IIsRunningExceptReconstructionDataExchangeModel() = default;

    /// The host's flag, true while acquisition work other than reconstruction runs.
    virtual Binding::IValueBindingSource<bool> const&
    GetIsRunningExceptReconstructionBindingSource() const = 0;
};

/// What the GUI binds of `IIsRunningExceptReconstructionDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IIsRunningExceptReconstructionDataExchangeModel>
    : Describe::TMembersOf<IIsRunningExceptReconstructionDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ValueSource<bool>(
                "IsRunningExceptReconstructionBindingSource", &I::GetIsRunningExceptReconstructionBindingSource));
        // clang-format on
    }
};
} // namespace Base
