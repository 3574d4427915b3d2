#pragma once
#include "base/orx2basepool/interfaces/ilivesuboptionsviewmodel.h"
#include "base/orx2basepool/tnotifypropertychangedimpl.h"
#include "businesslayer/common/clivesuboptionsitemviewmodelbase.h"
#include "businesslayer/common/orx2commonexport.h"
#include "host/logging/clogger.h"

#include <array>
#include <memory>

namespace BusinessLayer
{
/// A panel of up to seven sub-options; every slot starts empty.
///
/// Filling the slots: through the non-const GetLiveSubOptionsItems(), which notifies nobody and is not
/// synchronised: the configuring code fills the slots before it publishes the panel (through its live
/// option and the GUI configuration), and leaves them alone while the GUI may read them.
class ORX2_COMMON_EXPORT CLiveSubOptionsViewModelBase
    : public Base::TNotifyPropertyChangedImpl<Base::ILiveSubOptionsViewModel>
{
public:
    /// The seven items, by slot.
    using Items = std::array<std::shared_ptr<CLiveSubOptionsItemViewModelBase>, kItemCount>;

    CLiveSubOptionsViewModelBase();
    ~CLiveSubOptionsViewModelBase() override;

    std::array<std::shared_ptr<Base::ILiveSubOptionsItemViewModel>, kItemCount>
    GetLiveSubOptionsItems() const override;
    /// The slots themselves, for filling before publication.
    Items& GetLiveSubOptionsItems() { return m_items; }

private:
    static Logging::CLogger const s_logger;

    Items m_items;
};
} // namespace BusinessLayer
