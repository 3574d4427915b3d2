#pragma once
#include "businesslayer/common/csidepanelitemviewmodelbase.h"

namespace BusinessLayer
{
/// A side-panel button for an area that can be added (eleven slots): the item base plus its item type, given
/// at construction. Thread-safe like every property.
class ORX2_COMMON_EXPORT CSidePanelItemViewModelAddArea : public CSidePanelItemViewModelBase
{
public:
    /// An item of `type` with the three flags given.
    CSidePanelItemViewModelAddArea(EItemTypeAddAreas type, bool visibility, bool enabled, bool selected);
    ~CSidePanelItemViewModelAddArea() override;

    /// The item's type, given at construction.
    virtual Base::IProperty<EItemTypeAddAreas> const& GetItemType() const { return m_itemType; }
    /// The same property, settable: for the host's code.
    Base::TProperty<EItemTypeAddAreas>& GetItemType() { return m_itemType; }

private:
    static Logging::CLogger const s_logger;

    Base::TProperty<EItemTypeAddAreas> m_itemType;
};
} // namespace BusinessLayer
