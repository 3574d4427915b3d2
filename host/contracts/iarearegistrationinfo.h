#pragma once
// Host contract: what the host knows about the registration of one scan area.
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/ivaluebindingsource.h"

#include <cstdint>

namespace BusinessLayer
{
/// The registration state of one area. The host implements it and hands it out as
/// `std::shared_ptr<IAreaRegistrationInfo const>` (one per area, see ICommonAreas).
class IAreaRegistrationInfo : public Base::INonCopyable
{
public:
    /// The area's registration status. 0 and 1 count as not successful and 2 as successful; the host may
    /// use further values, which count as neither.
    enum class ERegistrationStatus : std::int32_t
    {
        NotRegistered = 0,
        Failed = 1,
        Successful = 2,
    };

    virtual ~IAreaRegistrationInfo() = default;

    /// The current status and its changes. The source lives as long as this object. Thread-safe.
    virtual Base::Binding::IValueBindingSource<ERegistrationStatus> const& GetRegistrationStatus() const = 0;
};
} // namespace BusinessLayer
