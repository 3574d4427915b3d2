#pragma once
#include "base/orx2basepool/interfaces/iliveoptionsitemviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "base/orx2basepool/tproperty.h"
#include "businesslayer/common/clivesuboptionsviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <memory>

namespace BusinessLayer
{
/// One live option: flags, info text and item type from the constructor, a command the configuring
/// code installs, and a sub-options panel of its own, made with the option (no two options share one).
/// Thread-safe like every property; the panel pointer never changes.
class ORX2_COMMON_EXPORT CLiveOptionsItemViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILiveOptionsItemViewModel>
{
public:
    /// Makes the option's empty sub-options panel. Throws std::bad_alloc.
    CLiveOptionsItemViewModelBase(EItemTypeLiveOptions type, bool visibility, bool enabled, bool selected,
                                  CStringW const& infoText);
    ~CLiveOptionsItemViewModelBase() override;

    Base::TProperty<bool> const& GetVisibility() const override { return m_visibility; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetVisibility() { return m_visibility; }
    Base::TProperty<bool> const& GetEnabled() const override { return m_enabled; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetEnabled() { return m_enabled; }
    Base::TProperty<bool> const& GetSelected() const override { return m_selected; }
    /// The same property, settable: for the host's code.
    Base::TProperty<bool>& GetSelected() { return m_selected; }
    Base::TProperty<CStringW> const& GetInfoText() const override { return m_infoText; }
    /// The same property, settable: for the host's code.
    Base::TProperty<CStringW>& GetInfoText() { return m_infoText; }
    Base::IProperty<std::shared_ptr<Base::ICommand<>>> const& GetCommand() const override
    {
        return m_command;
    }
    /// The same property, settable: for the host's code.
    Base::TProperty<std::shared_ptr<Base::ICommand<>>>& GetCommand() { return m_command; }
    Base::IProperty<EItemTypeLiveOptions> const& GetItemType() const override { return m_itemType; }

    std::shared_ptr<Base::ILiveSubOptionsViewModel> GetLiveSubOptions() const override
    {
        return m_subOptions;
    }
    /// The option's panel, for filling its slots before publication.
    std::shared_ptr<CLiveSubOptionsViewModelBase> GetLiveSubOptions() { return m_subOptions; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<bool> m_visibility;
    Base::TProperty<bool> m_enabled;
    Base::TProperty<bool> m_selected;
    Base::TProperty<CStringW> m_infoText;
    Base::TProperty<std::shared_ptr<Base::ICommand<>>> m_command{nullptr, *this};
    std::shared_ptr<CLiveSubOptionsViewModelBase> const m_subOptions;
    Base::TProperty<EItemTypeLiveOptions> m_itemType;
};
} // namespace BusinessLayer
