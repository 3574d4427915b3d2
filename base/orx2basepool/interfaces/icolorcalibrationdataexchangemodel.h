#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// The state of the colour calibration. Only the host builds this model; this library passes it from the data
/// exchange configuration to the GUI without calling into it.
class IColorCalibrationDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IColorCalibrationDataExchangeModel() override = default;
};

// Nothing to bind: the GUI only receives the model.
/// What the GUI binds of `IColorCalibrationDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IColorCalibrationDataExchangeModel>
    : Describe::TMembersOf<IColorCalibrationDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members() { return std::make_tuple(); }
};
} // namespace Base
