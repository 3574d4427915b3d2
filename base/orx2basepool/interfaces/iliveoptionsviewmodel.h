#pragma once
#include "base/orx2basepool/interfaces/iliveoptionsitemviewmodel.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <array>
#include <memory>

namespace Base
{
/// The live options bar: up to seven options.
class ILiveOptionsViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    static constexpr std::size_t kItemCount = 7; ///< The number of slots.

    ~ILiveOptionsViewModel() override = default;

    /// A copy of the seven slots, slot `i` for slot `i`; slots never filled are empty.
    virtual std::array<std::shared_ptr<ILiveOptionsItemViewModel>, kItemCount>
    GetLiveOptionsItems() const = 0;
};

/// What the GUI binds of `ILiveOptionsViewModel`, by name (see TDescription).
template <> struct TDescription<ILiveOptionsViewModel> : Describe::TMembersOf<ILiveOptionsViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ViewModelGroup<ILiveOptionsItemViewModel, I::kItemCount>( "LiveOptionsItems", &I::GetLiveOptionsItems));
        // clang-format on
    }
};
} // namespace Base
