#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"

namespace Base
{
/// The administrative metadata of the case. Only the host builds this model; this library passes it from the
/// data exchange configuration to the GUI without calling into it.
class IAdminMetaDataDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IAdminMetaDataDataExchangeModel() override = default;
};
} // namespace Base
