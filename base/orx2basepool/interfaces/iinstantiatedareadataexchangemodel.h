#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/tdescription.h"

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

// Nothing to read: InstantiateArea is an operation, not a member.
/// What the GUI binds of `IInstantiatedAreaDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IInstantiatedAreaDataExchangeModel>
    : Describe::TMembersOf<IInstantiatedAreaDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members() { return std::make_tuple(); }
};
} // namespace Base
