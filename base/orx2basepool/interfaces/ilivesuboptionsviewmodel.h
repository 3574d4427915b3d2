#pragma once
#include "base/orx2basepool/interfaces/ilivesuboptionsitemviewmodel.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

#include <array>
#include <memory>

namespace Base
{
/// The panel of up to seven sub-options that a live option opens.
class ILiveSubOptionsViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    static constexpr std::size_t kItemCount = 7; ///< The number of slots.

    ~ILiveSubOptionsViewModel() override = default;

    /// A copy of the seven slots, slot `i` for slot `i`; slots never filled are empty.
    virtual std::array<std::shared_ptr<ILiveSubOptionsItemViewModel>, kItemCount>
    GetLiveSubOptionsItems() const = 0;
};

/// What the GUI binds of `ILiveSubOptionsViewModel`, by name (see TDescription).
template <> struct TDescription<ILiveSubOptionsViewModel> : Describe::TMembersOf<ILiveSubOptionsViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ViewModelGroup<ILiveSubOptionsItemViewModel, I::kItemCount>(
                "LiveSubOptionsItems", &I::GetLiveSubOptionsItems));
        // clang-format on
    }
};
} // namespace Base
