#pragma once
#include "base/orx2basepool/interfaces/iliveimageviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/acquisitionbase/cobserver.h"
#include "host/contracts/icommonacquisitionproperties.h"
#include "host/contracts/ivantacommonacquisitionproperties.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// The live image's overlay, following the host by itself: the crosshair from the product's live-view
/// status, the visibility from the host's "live image hidden" flag. The other properties (acquire type,
/// text resource, transformation) are set by the configuring code.
///
/// Crosshair per live-view status: below 2 None, 2 and 3 Searching, 4 Tracking, 5 Ready, above 5 None
/// (any 32-bit status is accepted). Visibility is "not hidden".
///
/// Threads: the two host handlers run on the thread that changes the host's value (the engine's), and
/// every property may be read and set from any thread. Once the destructor has begun, no host handler
/// runs any more: both are bound to the owner guard, which the destructor closes first, waiting for a
/// handler running on another thread. A handler holds the view model while it runs (once it is held,
/// see Base::TNotifyPropertyChangedImpl), so a GUI dropping its last reference inside the crosshair's
/// or the visibility's notification destroys it only after that delivery.
/// Lifetime: the host objects are not kept: the view model holds only its two observers, bound to the
/// host's sources, so the host may be destroyed first; the values then stay as they were.
class ORX2_COMMON_EXPORT CLiveImageViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILiveImageViewModel>
{
public:
    /// Follows `acquisitionProperties->GetLiveImageHidden()` and `productProperties->GetLiveViewStatus()`
    /// from their current values on (so Visibility and CrossHair already hold the host's state when the
    /// constructor returns); neither pointer is kept. An empty pointer is accepted: that source is not
    /// followed and its property keeps its initial value (crosshair None, visible), for the configuring
    /// code to set. Throws std::bad_alloc and what the host's sources throw.
    CLiveImageViewModelBase(
        std::shared_ptr<const ICommonAcquisitionProperties> const& acquisitionProperties,
        std::shared_ptr<const IVantaCommonAcquisitionProperties> const& productProperties);
    /// Closes the owner guard first, waiting for a host handler running on another thread.
    ~CLiveImageViewModelBase() override;

    Base::IProperty<EItemCrosshair> const& GetCrossHair() const override { return m_crossHair; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemCrosshair>& GetCrossHair() { return m_crossHair; }
    Base::IProperty<unsigned int> const& GetAcquireType() const override { return m_acquireType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<unsigned int>& GetAcquireType() { return m_acquireType; }
    Base::IProperty<unsigned int> const& GetTextResource() const override { return m_textResource; }
    /// The same property, settable: for the host's code.
    Base::TProperty<unsigned int>& GetTextResource() { return m_textResource; }
    Base::IProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::IProperty<Base::ELiveImageTransformation> const& GetImageTransformation() const override
    {
        return m_imageTransformation;
    }
    /// The transformation for the configuring code to set (its type is the interface's, as products
    /// expect it).
    Base::IProperty<Base::ELiveImageTransformation>& GetImageTransformation()
    {
        return m_imageTransformation;
    }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemCrosshair> m_crossHair{EItemCrosshair::None, *this};
    Base::TProperty<unsigned int> m_acquireType{0u, *this};
    Base::TProperty<unsigned int> m_textResource{0u, *this};
    Base::TProperty<bool> m_visibility{true, *this};
    Base::TProperty<Base::ELiveImageTransformation> m_imageTransformation{
        Base::ELiveImageTransformation::None, *this};
    // After the properties they set; bound to the owner guard, which is closed before anything goes.
    Base::Binding::CObserver m_liveViewStatusObserver;
    Base::Binding::CObserver m_liveImageHiddenObserver;
};
} // namespace BusinessLayer
