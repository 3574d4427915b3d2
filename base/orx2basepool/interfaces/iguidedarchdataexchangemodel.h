#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// The guided-arch state of the acquisition. Only the host builds this model; this library passes it from the
/// data exchange configuration to the GUI without calling into it.
class IGuidedArchDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IGuidedArchDataExchangeModel() override = default;
};

// Nothing to bind: the GUI only receives the model.
/// What the GUI binds of `IGuidedArchDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IGuidedArchDataExchangeModel> : Describe::TMembersOf<IGuidedArchDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members() { return std::make_tuple(); }
};
} // namespace Base
