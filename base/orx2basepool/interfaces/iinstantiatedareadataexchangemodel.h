#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inotifypropertychanged.h"

namespace Base
{
/// Lets the GUI create a scan area in the host.
class IInstantiatedAreaDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IInstantiatedAreaDataExchangeModel() override = default;

    /// Creates `area` unless it exists already or the host does not allow it now.
    virtual void InstantiateArea(EAreaItems area) = 0;
};
} // namespace Base
