#pragma once
#include "base/orx2basepool/interfaces/iliveoptionsviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/cliveoptionsitemviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>

namespace BusinessLayer
{
/// The live options bar: up to seven options, every slot empty at first.
///
/// Filling the slots: through the non-const GetLiveOptionsItems(), which notifies nobody and is not
/// synchronised: the configuring code fills the slots (and their options' sub-option panels) before it
/// publishes the bar through the GUI configuration, and leaves them alone while the GUI may read them.
class ORX2_COMMON_EXPORT CLiveOptionsViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILiveOptionsViewModel>
{
public:
    /// The seven items, by slot.
    using Items = std::array<std::shared_ptr<CLiveOptionsItemViewModelBase>, kItemCount>;

    CLiveOptionsViewModelBase();
    ~CLiveOptionsViewModelBase() override;

    std::array<std::shared_ptr<Base::ILiveOptionsItemViewModel>, kItemCount>
    GetLiveOptionsItems() const override;
    /// The slots themselves, for filling before publication.
    Items& GetLiveOptionsItems() { return m_items; }

private:
    static Logging::CLogger const s_logger;

    Items m_items;
};
} // namespace BusinessLayer
