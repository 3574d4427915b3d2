#pragma once
#include "businesslayer/common/csidepanelitemviewmodelbase.h"

namespace BusinessLayer
{
/// A side-panel button for an acquisition option (two slots): the item base plus its item type, given at
/// construction. Its GetItemType is a plain member (not virtual), unlike those of the other three kinds.
/// Thread-safe like every property.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelAcquisitionOption : public CSidePanelItemViewModelBase
{
public:
    /// An item of `type` with the three flags given.
    CSidePanelItemViewModelAcquisitionOption(EItemTypeAcquisitionOptions type, bool visibility, bool enabled,
                                             bool selected);
    ~CSidePanelItemViewModelAcquisitionOption() override;

    /// The item's type, given at construction.
    Base::IProperty<EItemTypeAcquisitionOptions> const& GetItemType() const { return m_itemType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemTypeAcquisitionOptions>& GetItemType() { return m_itemType; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemTypeAcquisitionOptions> m_itemType;
};
} // namespace BusinessLayer
