#pragma once
#include "base/orx2basepool/eareaitems.h"
#include "base/orx2basepool/icommand.h"
#include "base/orx2basepool/iproperty.h"
#include "businesslayer/common/careaviewmodelbase.h"
#include "businesslayer/common/ctrashviewmodelbase.h"

#include <array>
#include <memory>
#include <mutex>
#include <vector>

namespace ReferenceHost
{
/// The area commands a host installs in the area panel, recording every execution instead of moving
/// scan data: per area a trash, a copy and a move command (copy and move take the target area), the
/// panel's activate command, which also writes the host's selected-area property, and the trash
/// button's click.
///
/// Thread-safety: every member may be called from any thread; executions on different threads are
/// recorded one at a time. The commands may outlive this object: they keep what they record into.
class CRecordingAreaCommands final
{
public:
    /// Which command was executed.
    enum class EKind
    {
        Trash,
        Copy,
        Move,
        Activate,
        TrashClick,
    };

    /// One execution: `area` is the tile's area (the activated area for Activate, Undefined for the
    /// trash button), `target` the target area of a copy or move, else Undefined.
    struct SCall
    {
        EKind kind; ///< The command.
        Base::EAreaItems area; ///< The tile's area.
        Base::EAreaItems target; ///< The target area.

        /// Equal when every field is equal.
        friend bool operator==(SCall const& a, SCall const& b)
        {
            return a.kind == b.kind && a.area == b.area && a.target == b.target;
        }
    };

    /// Makes the commands. `selectedArea` (held weakly, may be empty) is what Activate writes. Throws
    /// std::bad_alloc and what the host's journal throws.
    explicit CRecordingAreaCommands(std::shared_ptr<Base::IProperty<Base::EAreaItems>> const& selectedArea);
    ~CRecordingAreaCommands();
    CRecordingAreaCommands(CRecordingAreaCommands const&) = delete;
    CRecordingAreaCommands& operator=(CRecordingAreaCommands const&) = delete;

    /// Installs each item's trash, copy and move command and the activate command into `panel`.
    void Install(BusinessLayer::CAreaViewModelBase& panel) const;
    /// Installs the click command into `trash`.
    void Install(BusinessLayer::CTrashViewModelBase& trash) const;

    /// The executions since the last call, oldest first.
    std::vector<SCall> TakeCalls();

private:
    struct SRecord
    {
        std::mutex mutex;
        std::vector<SCall> calls;
        void Add(SCall call);
    };

    std::shared_ptr<SRecord> const m_record;
    std::array<std::shared_ptr<Base::ICommand<>>, Base::kAreaItemCount> m_trash;
    std::array<std::shared_ptr<Base::ICommand<Base::EAreaItems>>, Base::kAreaItemCount> m_copy;
    std::array<std::shared_ptr<Base::ICommand<Base::EAreaItems>>, Base::kAreaItemCount> m_move;
    std::shared_ptr<Base::ICommand<Base::EAreaItems>> m_activate;
    std::shared_ptr<Base::ICommand<>> m_trashClick;
};
} // namespace ReferenceHost
