#pragma once
#include "base/orx2basepool/interfaces/ithumbnailbarviewmodel.h"
#include "base/orx2basepool/tarraybindingsourceproxy.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/cthumbnailitemviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The strip of thumbnails of one area; every area item owns one.
///
/// The bar neither adds nor removes thumbnails: whoever fills it keeps an array of thumbnails (any
/// `IArrayBindingSource<std::shared_ptr<IThumbnailItemViewModel>>`, typically an array property) and
/// binds the bar to it through the non-const `GetThumbnailsArrayBindingSource()`, which hands out the
/// bar's proxy:
///
///     areaItem->GetThumbnailBarConfiguartion()->GetThumbnailsArrayBindingSource().Bind(myThumbnails);
///
/// The GUI, holding the interface, gets the read view of the same proxy only. The proxy follows the bound
/// array (rebinding switches arrays, the bound array's end empties the bar); the array must outlive the
/// binding or announce its end, as every source does.
///
/// Thread-safety: every member may be called from any thread.
class ORX2_COMMON_EXPORT CThumbnailBarViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::IThumbnailBarViewModel>
{
public:
    using ThumbnailPointer = std::shared_ptr<Base::IThumbnailItemViewModel>; ///< A thumbnail of the bar.
    /// The proxy the bar hands out over the source of its thumbnails.
    using ThumbnailProxy = Base::Binding::TArrayBindingSourceProxy<ThumbnailPointer>;

    /// Empty and unbound. Throws std::bad_alloc.
    CThumbnailBarViewModelBase();
    ~CThumbnailBarViewModelBase() override;

    /// Walks one snapshot of the thumbnails from the first and returns the first whose BitmapID equals
    /// `id`; an empty pointer when none does (empty slots are skipped). A concurrent change of the array
    /// does not disturb the walk.
    ThumbnailPointer GetThumbnail(JyUniqueIdT<CStringW> const& id) const override;
    /// The same first match as this class; an empty pointer when none matches or when the first match is
    /// another implementation of the interface.
    std::shared_ptr<CThumbnailItemViewModelBase> GetThumbnail(JyUniqueIdT<CStringW> const& id);

    Base::Binding::IArrayBindingSource<ThumbnailPointer> const&
    GetThumbnailsArrayBindingSource() const override
    {
        return m_thumbnails;
    }
    /// The proxy, for the code that fills the bar: bind it to the array of thumbnails it keeps.
    ThumbnailProxy& GetThumbnailsArrayBindingSource() { return m_thumbnails; }

private:
    static Logging::CLogger const s_logger;

    ThumbnailProxy m_thumbnails;
};
} // namespace BusinessLayer
