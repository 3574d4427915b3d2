#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// The administrative metadata of the case. Only the host builds this model; this library passes it from the
/// data exchange configuration to the GUI without calling into it.
class IAdminMetaDataDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IAdminMetaDataDataExchangeModel() override = default;
};

// Nothing to bind: the GUI only receives the model.
/// What the GUI binds of `IAdminMetaDataDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IAdminMetaDataDataExchangeModel> : Describe::TMembersOf<IAdminMetaDataDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members() { return std::make_tuple(); }
};
} // namespace Base
