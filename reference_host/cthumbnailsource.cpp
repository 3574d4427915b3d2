#include "reference_host/cthumbnailsource.h"

#include <cstddef>

namespace ReferenceHost
{
namespace
{
using Thumbnail = BusinessLayer::CThumbnailItemViewModelBase;
} // namespace

CThumbnailSource::CThumbnailSource(Base::EAreaItems area) : m_area(area) {}

CThumbnailSource::~CThumbnailSource() = default;

std::shared_ptr<Thumbnail> CThumbnailSource::Add(std::wstring const& suffix, int number,
                                                 CStringW const& bitmapId)
{
    auto thumbnail = std::make_shared<Thumbnail>(m_area, suffix);
    thumbnail->GetNumber().Set(number);
    thumbnail->GetBitmapID().Set(bitmapId);
    thumbnail->GetVisibility().Set(true);
    thumbnail->GetIsEnabled().Set(true);
    std::lock_guard<std::mutex> const lock(m_editMutex);
    m_thumbnails.Add(thumbnail);
    return thumbnail;
}

bool CThumbnailSource::Remove(CStringW const& bitmapId)
{
    ThumbnailPointer removed; // dies after the lock is released
    std::lock_guard<std::mutex> const lock(m_editMutex);
    std::vector<ThumbnailPointer> const thumbnails = m_thumbnails.GetValues();
    for (std::size_t i = 0; i < thumbnails.size(); ++i)
    {
        if (thumbnails[i] != nullptr && thumbnails[i]->GetBitmapID().Get() == bitmapId)
        {
            removed = thumbnails[i];
            m_thumbnails.RemoveAt(i);
            return true;
        }
    }
    return false;
}

bool CThumbnailSource::SetBitmapID(CStringW const& bitmapId, CStringW const& newId)
{
    std::lock_guard<std::mutex> const lock(m_editMutex);
    for (ThumbnailPointer const& thumbnail : m_thumbnails.GetValues())
    {
        auto const ours = std::dynamic_pointer_cast<Thumbnail>(thumbnail);
        if (ours != nullptr && ours->GetBitmapID().Get() == bitmapId)
        {
            ours->GetBitmapID().Set(newId);
            return true;
        }
    }
    return false;
}

void CThumbnailSource::Fill(BusinessLayer::CThumbnailBarViewModelBase& bar) const
{
    bar.GetThumbnailsArrayBindingSource().Bind(m_thumbnails);
}
} // namespace ReferenceHost
