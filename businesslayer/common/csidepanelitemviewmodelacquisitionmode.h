#pragma once
#include "businesslayer/common/csidepanelitemviewmodelbase.h"

namespace BusinessLayer
{
/// A side-panel button for an acquisition mode (nine slots): the item base plus its item type, given at
/// construction. Thread-safe like every property.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelAcquisitionMode : public CSidePanelItemViewModelBase
{
public:
    /// An item of `type` with the three flags given.
    CSidePanelItemViewModelAcquisitionMode(EItemTypeAcquisitionModes type, bool visibility, bool enabled,
                                           bool selected);
    ~CSidePanelItemViewModelAcquisitionMode() override;

    /// The item's type, given at construction.
    virtual Base::IProperty<EItemTypeAcquisitionModes> const& GetItemType() const { return m_itemType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemTypeAcquisitionModes>& GetItemType() { return m_itemType; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemTypeAcquisitionModes> m_itemType;
};
} // namespace BusinessLayer
