#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// Tells the GUI whether its input is locked and whether to show the animated work indicator. Both
/// are counts: the GUI locks its input while the lock count is above 0 and shows the indicator while
/// the indicator count is above 0.
class ILockGUIViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~ILockGUIViewModel() override = default;

    /// Not const: the GUI reads it through a view model it may change.
    virtual IProperty<unsigned int> const& GetLockCount() = 0;
    /// The property the GUI binds as `ShowAnimatedWorkIndicator`.
    virtual IProperty<unsigned int> const& GetShowAnimatedWorkIndicator() const = 0;
};

/// What the GUI binds of `ILockGUIViewModel`, by name (see TDescription).
template <> struct TDescription<ILockGUIViewModel> : Describe::TMembersOf<ILockGUIViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<unsigned int>("LockCount", &I::GetLockCount),
            Property<unsigned int>("ShowAnimatedWorkIndicator", &I::GetShowAnimatedWorkIndicator));
        // clang-format on
    }
};
} // namespace Base
