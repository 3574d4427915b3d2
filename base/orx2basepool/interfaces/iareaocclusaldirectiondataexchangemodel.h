#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"
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

/// What the GUI binds of `IAreaOcclusalDirectionDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IAreaOcclusalDirectionDataExchangeModel>
    : Describe::TMembersOf<IAreaOcclusalDirectionDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            AreaValue<JbMatrix4Rf>("OcclusalDirection", &I::GetOcclusalDirection));
        // clang-format on
    }
};
} // namespace Base
