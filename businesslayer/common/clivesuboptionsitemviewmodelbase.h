#pragma once
#include "base/orx2basepool/interfaces/ilivesuboptionsitemviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/csliderviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// One sub-option: flags and item type from the constructor, a command the configuring code installs,
/// and a slider of its own when it was made with one (fixed for its life). Thread-safe like every
/// property; the slider pointer never changes.
class ORX2_COMMON_EXPORT CLiveSubOptionsItemViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILiveSubOptionsItemViewModel>
{
public:
    /// Makes a new slider (CSliderViewModelBase's defaults) when `withSlider` is true. Throws
    /// std::bad_alloc.
    CLiveSubOptionsItemViewModelBase(EItemTypeLiveSubOptions type, bool visibility, bool enabled,
                                     bool selected, bool withSlider);
    ~CLiveSubOptionsItemViewModelBase() override;

    Base::TProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::TProperty<bool> const& GetEnabled() const override { return m_enabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetEnabled() { return m_enabled; }
    Base::TProperty<bool> const& GetSelected() const override { return m_selected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetSelected() { return m_selected; }
    Base::IProperty<std::shared_ptr<Base::ICommand<>>> const& GetCommand() const override
    {
        return m_command;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<std::shared_ptr<Base::ICommand<>>>& GetCommand() { return m_command; }
    Base::IProperty<EItemTypeLiveSubOptions> const& GetItemType() const override { return m_itemType; }

    std::shared_ptr<Base::ISliderViewModel> GetSlider() const override { return m_slider; }
    /// The same, with its class: for the host's code.
    std::shared_ptr<CSliderViewModelBase> GetSlider() { return m_slider; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility;
    Base::TProperty<bool> m_enabled;
    Base::TProperty<bool> m_selected;
    Base::TProperty<std::shared_ptr<Base::ICommand<>>> m_command{nullptr, *this};
    Base::TProperty<EItemTypeLiveSubOptions> m_itemType;
    std::shared_ptr<CSliderViewModelBase> const m_slider;
};
} // namespace BusinessLayer
