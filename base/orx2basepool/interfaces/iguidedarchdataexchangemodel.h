#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"

namespace Base
{
/// The guided-arch state of the acquisition. Only the host builds this model; this library passes it from the
/// data exchange configuration to the GUI without calling into it.
class IGuidedArchDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IGuidedArchDataExchangeModel() override = default;
};
} // namespace Base
