#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "host/values/jbmatrix4r.h"

namespace Base
{
/// The occlusal direction the host stores per area.
class IAreaOcclusalDirectionDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IAreaOcclusalDirectionDataExchangeModel() override = default;

    /// The stored direction of `area`, or the identity when there is none.
    virtual JbMatrix4Rf GetOcclusalDirection(EAreaItems area) const = 0;
    /// Stores the direction of `area`, instantiating the area first when allowed.
    virtual void SetOcclusalDirection(EAreaItems area, JbMatrix4Rf direction) = 0;
};
} // namespace Base
