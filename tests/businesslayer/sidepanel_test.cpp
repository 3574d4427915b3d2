#include "businesslayer/common/csidepanelitemviewmodelacquisitionmode.h"
#include "businesslayer/common/csidepanelitemviewmodelacquisitionoption.h"
#include "businesslayer/common/csidepanelitemviewmodeladdarea.h"
#include "businesslayer/common/csidepanelitemviewmodelreconstructionoption.h"

#include "base/orx2basepool/tcommand.h"
#include "support/propertycontract.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using BusinessLayer::CSidePanelItemViewModelBase;
using Item = Base::ISidePanelItemViewModel;
using CommandPointer = std::shared_ptr<Base::ICommand<>>;

CommandPointer SomeCommand()
{
    return std::make_shared<Base::TCommand<void>>([] {}, L"test.SidePanel", false);
}

TEST(SidePanelItem, PropertiesKeepTheirContract)
{
    using I = CSidePanelItemViewModelBase;
    I item(true, false, true);
    Orx2Test::PropertyContract<I>()
        .Row<bool>("Visibility", &I::GetVisibility, &I::GetVisibility, true, false)
        .Row<bool>("Enabled", &I::GetEnabled, &I::GetEnabled, false, true)
        .Row<bool>("Selected", &I::GetSelected, &I::GetSelected, true, false)
        .Row<CommandPointer>("Command", &I::GetCommand, &I::GetCommand, nullptr, SomeCommand())
        .Row<CommandPointer>("UnlockCommand", &I::GetUnlockCommand, &I::GetUnlockCommand, nullptr,
                             SomeCommand())
        .Check(item);

    I const hidden;
    EXPECT_FALSE(hidden.GetVisibility().Get() || hidden.GetEnabled().Get() || hidden.GetSelected().Get());
}

// Each typed kind: its type from the first argument, the flags from the others.
template <class Kind, class Type> void CheckKind(char const* name, Type type, Type other)
{
    SCOPED_TRACE(name);
    Kind item(type, false, true, false);
    EXPECT_EQ(
        (std::vector<bool>{false, true, false}),
        (std::vector<bool>{item.GetVisibility().Get(), item.GetEnabled().Get(), item.GetSelected().Get()}));
    Orx2Test::PropertyContract<Kind>()
        .template Row<Type>("ItemType", &Kind::GetItemType, &Kind::GetItemType, type, other)
        .Check(item);
}

TEST(SidePanelItem, TypedKindsKeepTheirType)
{
    CheckKind<BusinessLayer::CSidePanelItemViewModelAcquisitionMode>(
        "acquisition mode", Item::EItemTypeAcquisitionModes::AcquisitionMode8,
        Item::EItemTypeAcquisitionModes::AcquisitionMode1);
    CheckKind<BusinessLayer::CSidePanelItemViewModelAddArea>("add area", Item::EItemTypeAddAreas::AddArea10,
                                                             Item::EItemTypeAddAreas::AddArea0);
    CheckKind<BusinessLayer::CSidePanelItemViewModelAcquisitionOption>(
        "acquisition option", Item::EItemTypeAcquisitionOptions::AcquisitionOption1,
        Item::EItemTypeAcquisitionOptions::AcquisitionOption0);
    CheckKind<BusinessLayer::CSidePanelItemViewModelReconstructionOption>(
        "reconstruction option", Item::EItemTypeReconstructionOptions::ReconstructionOption1,
        Item::EItemTypeReconstructionOptions::ReconstructionOption0);
}
} // namespace
