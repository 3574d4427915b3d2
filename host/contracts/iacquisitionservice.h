#pragma once
// Host contract: the acquisition engine's service, as far as key presses and the foot switch reach it.
#include "base/orx2basepool/iasyncresult.h"
#include "base/orx2basepool/inoncopyable.h"

#include <memory>

namespace Base
{
/// The host's acquisition service. The keyboard and foot control of the GUI configuration call these
/// two operations from the thread that executes a key command (normally the GUI thread) and hold the
/// service only weakly, so a host may destroy it at any time; once it is gone keys are dropped.
///
/// Each operation returns the result of the work it started. Callers in this library release it at
/// once and never wait on it, so an implementation may return an incomplete result (or none: empty).
/// Implementations must allow calls from any thread.
class IAcquisitionService : public INonCopyable
{
public:
    virtual ~IAcquisitionService() = default;

    /// One of the dedicated keys (the space bar, the plus keys on press, the minus keys on release)
    /// went down (`pressed` true) or up (false).
    virtual std::shared_ptr<IAsyncResult<>> OnDedicatedKey(bool pressed) = 0;

    /// Any other key went down or up: its virtual-key code and the key data the GUI delivered with it,
    /// unchanged.
    virtual std::shared_ptr<IAsyncResult<>> OnGenericKey(unsigned int key, unsigned int keyData,
                                                         bool pressed) = 0;
};
} // namespace Base
