#pragma once
#include "base/orx2basepool/interfaces/isidepanelitemviewmodel.h"
#include "base/orx2basepool/interfaces/itoolactionviewmodel.h"
#include "base/orx2basepool/tdescription.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace Base
{
/// A tool of the side panel: a side-panel button with a tool type, eight tool actions (action `i` of
/// type `i`) and a sort index.
class ISidePanelToolItemViewModel : public ISidePanelItemViewModel
{
public:
    static constexpr std::size_t kToolActionCount = 8; ///< The number of tool-action slots of a tool.

    /// One enumerator per tool slot of the side panel; what each stands for is the configuring code's
    /// choice (any 32-bit value may be used).
    enum class EItemTypeTools : std::int32_t
    {
        Tool0 = 0,
        Tool1 = 1,
        Tool2 = 2,
    };

    ~ISidePanelToolItemViewModel() override = default;

    /// The property the GUI binds as `ItemType`.
    virtual IProperty<EItemTypeTools> const& GetItemType() const = 0;
    /// A copy of the eight tool actions, action `i` at position `i`.
    virtual std::array<std::shared_ptr<IToolActionViewModel>, kToolActionCount>
    GetItemTypeToolActions() const = 0;
    /// Where the GUI sorts the tool among the others; a plain number whose changes notify nobody.
    virtual std::uint64_t GetSortIndex() = 0;
};

/// What the GUI binds of `ISidePanelToolItemViewModel`, by name (see TDescription).
template <>
struct TDescription<ISidePanelToolItemViewModel> : Describe::TMembersOf<ISidePanelToolItemViewModel>
{
    /// The members in the order of the description, one descriptor each.
    static constexpr auto Members()
    {
        // clang-format off
        return std::tuple_cat(Inherited<ISidePanelItemViewModel>(),
                              std::make_tuple(
                                Property<I::EItemTypeTools>("ItemType", &I::GetItemType),
                                ViewModelGroup<IToolActionViewModel, I::kToolActionCount>(
                                    "ItemTypeToolActions", &I::GetItemTypeToolActions),
                                Value<std::uint64_t>("SortIndex", &I::GetSortIndex)));
        // clang-format on
    }
};
} // namespace Base
