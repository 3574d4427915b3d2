#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"
#include "base/orx2basepool/tproperty.h"

namespace Base
{
/// A slider of a live sub-option: value, range and two step sizes. The five numbers are stored as
/// written and not related to each other (a value outside the range is kept as it is). Any holder may
/// read and write them through the getters, from any thread; each real change fires the slider's
/// PropertyChanged once. Not a view model of its own: it belongs to its sub-option.
class ISliderViewModel : public INotifyPropertyChanged
{
public:
    ~ISliderViewModel() override = default;

    /// The property the GUI binds as `Value`, and sets.
    virtual TProperty<double>& GetValue() = 0;
    /// The property the GUI binds as `ValueMin`.
    virtual TProperty<double>& GetValueMin() = 0;
    /// The property the GUI binds as `ValueMax`.
    virtual TProperty<double>& GetValueMax() = 0;
    /// The property the GUI binds as `StepSmall`: the step of a small move.
    virtual TProperty<double>& GetStepSmall() = 0;
    /// The property the GUI binds as `StepLarge`: the step of a large move.
    virtual TProperty<double>& GetStepLarge() = 0;
};

/// What the GUI binds of `ISliderViewModel`, by name (see TDescription).
template <> struct TDescription<ISliderViewModel> : Describe::TMembersOf<ISliderViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<double>("Value", &I::GetValue),
            Property<double>("ValueMin", &I::GetValueMin),
            Property<double>("ValueMax", &I::GetValueMax),
            Property<double>("StepSmall", &I::GetStepSmall),
            Property<double>("StepLarge", &I::GetStepLarge));
        // clang-format on
    }
};
} // namespace Base
