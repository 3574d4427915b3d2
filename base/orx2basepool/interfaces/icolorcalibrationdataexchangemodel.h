#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"

namespace Base
{
/// The state of the colour calibration. Only the host builds this model; this library passes it from the data
/// exchange configuration to the GUI without calling into it.
class IColorCalibrationDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IColorCalibrationDataExchangeModel() override = default;
};
} // namespace Base
