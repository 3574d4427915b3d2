#pragma once
// Host contract: the product's acquisition properties that the live image follows.
#include "base/orx2basepool/inoncopyable.h"
#include "base/orx2basepool/ivaluebindingsource.h"
#include "host/values/eliveviewstatus.h"

namespace BusinessLayer
{
/// Product-specific acquisition properties. The host implements it; this library only calls the
/// operation below. Thread-safe; the source lives as long as this object.
class IVantaCommonAcquisitionProperties : public Base::INonCopyable
{
public:
    virtual ~IVantaCommonAcquisitionProperties() = default;

    /// What the live view currently shows.
    virtual Base::Binding::IValueBindingSource<ELiveViewStatus> const& GetLiveViewStatus() const = 0;
};
} // namespace BusinessLayer
