#include "businesslayer/common/cthumbnailbarviewmodelbase.h"

#include "base/orx2basepool/interfacearrays.h"

namespace BusinessLayer
{
Logging::CLogger const CThumbnailBarViewModelBase::s_logger(L"ORX2.CThumbnailBarViewModelBase");

CThumbnailBarViewModelBase::CThumbnailBarViewModelBase() = default;

CThumbnailBarViewModelBase::~CThumbnailBarViewModelBase() = default;

CThumbnailBarViewModelBase::ThumbnailPointer
CThumbnailBarViewModelBase::GetThumbnail(JyUniqueIdT<CStringW> const& id) const
{
    return Base::FindFirst(
        m_thumbnails, [&id](ThumbnailPointer const& thumbnail)
        { return thumbnail != nullptr && JyUniqueIdT<CStringW>(thumbnail->GetBitmapID().Get()) == id; });
}

std::shared_ptr<CThumbnailItemViewModelBase>
CThumbnailBarViewModelBase::GetThumbnail(JyUniqueIdT<CStringW> const& id)
{
    return std::dynamic_pointer_cast<CThumbnailItemViewModelBase>(
        static_cast<CThumbnailBarViewModelBase const&>(*this).GetThumbnail(id));
}
} // namespace BusinessLayer
