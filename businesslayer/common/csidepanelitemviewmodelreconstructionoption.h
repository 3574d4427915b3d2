#pragma once
#include "businesslayer/common/csidepanelitemviewmodelbase.h"

namespace BusinessLayer
{
/// A side-panel button for a reconstruction option (two slots): the item base plus its item type, given at
/// construction. Thread-safe like every property.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelReconstructionOption : public CSidePanelItemViewModelBase
{
public:
    CSidePanelItemViewModelReconstructionOption(EItemTypeReconstructionOptions type, bool visibility,
                                                bool enabled, bool selected);
    ~CSidePanelItemViewModelReconstructionOption() override;

    virtual Base::IProperty<EItemTypeReconstructionOptions> const& GetItemType() const { return m_itemType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemTypeReconstructionOptions>& GetItemType() { return m_itemType; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemTypeReconstructionOptions> m_itemType;
};
} // namespace BusinessLayer
