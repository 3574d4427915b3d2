#pragma once
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// Marks an interface as a view model (the GUI binds to it).
class IViewModelObject : public INonCopyable
{
public:
    virtual ~IViewModelObject() = default;
};

// A marker: nothing of its own, but what extends it starts with its (empty) members.
/// What the GUI binds of `IViewModelObject`, by name (see TDescription).
template <> struct TDescription<IViewModelObject> : Describe::TMembersOf<IViewModelObject>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members() { return std::make_tuple(); }
};
} // namespace Base
