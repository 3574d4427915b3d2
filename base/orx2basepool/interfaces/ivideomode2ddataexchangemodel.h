#pragma once
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/tdescription.h"

namespace Base
{
/// Whether the 2D video mode may be used.
class IVideoMode2DDataExchangeModel : public INotifyPropertyChanged
{
public:
    ~IVideoMode2DDataExchangeModel() override = default;

    /// True while the 2D video mode is allowed. Lives as long as the model.
    virtual IProperty<bool> const& GetIsVideoMode2DAllowed() const = 0;
    /// Sets it (a change notifies).
    virtual void SetIsVideoMode2DAllowed(bool allowed) = 0;
};

/// What the GUI binds of `IVideoMode2DDataExchangeModel`, by name (see TDescription).
template <>
struct TDescription<IVideoMode2DDataExchangeModel> : Describe::TMembersOf<IVideoMode2DDataExchangeModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Property<bool>("IsVideoMode2DAllowed", &I::GetIsVideoMode2DAllowed));
        // clang-format on
    }
};
} // namespace Base
