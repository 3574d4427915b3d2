#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/iarraybindingsource.h"
#include "base/orx2basepool/tarrayproperty.h"
#include "businesslayer/common/cthumbnailbarviewmodelbase.h"
#include "businesslayer/common/cthumbnailitemviewmodelbase.h"
#include "host/foundation/cstringw.h"

#include <memory>
#include <mutex>
#include <string>

namespace ReferenceHost
{
/// The thumbnails of one scan area as a host keeps them: the array a thumbnail bar is bound to.
///
/// The engine's side adds thumbnails (each one's select command is registered under its area and
/// suffix), removes them and changes their bitmap ids; every edit reaches a bound bar, and so the GUI,
/// on the editing thread. A removed thumbnail dies, and its select command's name expires, as soon as
/// nobody else holds it.
///
/// Thread-safety: every member may be called from any thread; edits are serialised. Destroying the
/// source empties the bars bound to it.
class CThumbnailSource final
{
public:
    using ThumbnailPointer = std::shared_ptr<Base::IThumbnailItemViewModel>; ///< A thumbnail of the source.

    /// An empty source for `area`.
    explicit CThumbnailSource(Base::EAreaItems area);
    ~CThumbnailSource();
    CThumbnailSource(CThumbnailSource const&) = delete;
    CThumbnailSource& operator=(CThumbnailSource const&) = delete;

    /// The area whose thumbnails it holds.
    Base::EAreaItems GetArea() const noexcept { return m_area; }

    /// Appends a visible, enabled thumbnail with `number` and `bitmapId` whose select command is named
    /// after the area and `suffix`, and returns it. Throws std::bad_alloc and what the host's journal
    /// throws.
    std::shared_ptr<BusinessLayer::CThumbnailItemViewModelBase> Add(std::wstring const& suffix, int number,
                                                                    CStringW const& bitmapId);
    /// Removes the first thumbnail whose BitmapID is `bitmapId`; returns whether there was one.
    bool Remove(CStringW const& bitmapId);
    /// Gives the first thumbnail whose BitmapID is `bitmapId` the id `newId`; returns whether there was
    /// one. The array stays as it is: lookups read the thumbnails' current ids.
    bool SetBitmapID(CStringW const& bitmapId, CStringW const& newId);

    /// The thumbnails in order of addition. Lives as long as the source.
    Base::Binding::IArrayBindingSource<ThumbnailPointer> const& GetThumbnails() const noexcept
    {
        return m_thumbnails;
    }
    /// Binds `bar` to this source (how a host fills a bar). Throws what binding throws.
    void Fill(BusinessLayer::CThumbnailBarViewModelBase& bar) const;

private:
    Base::EAreaItems const m_area;
    std::mutex m_editMutex; // makes find-then-remove one step
    Base::Binding::TArrayProperty<ThumbnailPointer> m_thumbnails;
};
} // namespace ReferenceHost
