#pragma once
#include "businesslayer/common/csidepanelitemviewmodelbase.h"

namespace BusinessLayer
{
/// A side-panel button for a reconstruction option (two slots): the item base plus its item type, given at
/// construction. Thread-safe like every property.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelReconstructionOption : public CSidePanelItemViewModelBase
{
public:
    /// An item of `type` with the three flags given.
    CSidePanelItemViewModelReconstructionOption(EItemTypeReconstructionOptions type, bool visibility,
                                                bool enabled, bool selected);
    ~CSidePanelItemViewModelReconstructionOption() override;

    /// The item's type, given at construction.
    virtual Base::IProperty<EItemTypeReconstructionOptions> const& GetItemType() const { return m_itemType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemTypeReconstructionOptions>& GetItemType() { return m_itemType; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemTypeReconstructionOptions> m_itemType;
};
} // namespace BusinessLayer
