#pragma once
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/inotifypropertychanged.h"
#include "base/orx2basepool/interfaces/ithumbnailitemviewmodel.h"
#include "base/orx2basepool/interfaces/iviewmodelobject.h"
#include "base/orx2basepool/tdescription.h"
#include "host/foundation/cstringw.h"
#include "host/values/jyuniqueidt.h"

#include <memory>

namespace Base
{
/// What the GUI sees of the strip of thumbnails of one area.
class IThumbnailBarViewModel : public INotifyPropertyChanged, public IViewModelObject
{
public:
    ~IThumbnailBarViewModel() override = default;

    /// The first thumbnail whose BitmapID equals `id`, or an empty pointer.
    virtual std::shared_ptr<IThumbnailItemViewModel> GetThumbnail(JyUniqueIdT<CStringW> const& id) const = 0;
    /// The thumbnails in display order (read and observe only). Lives as long as the bar.
    virtual Binding::IArrayBindingSource<std::shared_ptr<IThumbnailItemViewModel>> const&
    GetThumbnailsArrayBindingSource() const = 0;
};

// GetThumbnail(id) is a lookup in the array, not a member of its own.
/// What the GUI binds of `IThumbnailBarViewModel`, by name (see TDescription).
template <> struct TDescription<IThumbnailBarViewModel> : Describe::TMembersOf<IThumbnailBarViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::make_tuple(
            ArraySource<std::shared_ptr<IThumbnailItemViewModel>>(
                "ThumbnailsArrayBindingSource", &I::GetThumbnailsArrayBindingSource));
        // clang-format on
    }
};
} // namespace Base
