#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/iproperty.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "host/foundation/cstringw.h"

#include <memory>

namespace Base
{
/// The two commands of the GUI's QR-code function: one that activates a scan area, one that takes the
/// text decoded from a QR code. Either may be empty and may be replaced (PropertyChanged).
class IQRCodeViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~IQRCodeViewModel() override = default;

    /// The command the GUI executes as `ActiveArea`.
    virtual IProperty<std::shared_ptr<ICommand<EAreaItems>>> const& GetActiveAreaCommand() const = 0;
    /// The command the GUI executes as `QRCode`.
    virtual IProperty<std::shared_ptr<ICommand<CStringW>>> const& GetQRCodeCommand() const = 0;
};

/// What the GUI binds of `IQRCodeViewModel`, by name (see TDescription).
template <> struct TDescription<IQRCodeViewModel> : Describe::TMembersOf<IQRCodeViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            Command<EAreaItems>("ActiveArea", &I::GetActiveAreaCommand),
            Command<CStringW>("QRCode", &I::GetQRCodeCommand));
        // clang-format on
    }
};
} // namespace Base
