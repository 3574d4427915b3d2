#pragma once
#include "base/orx2basepool/toptional.h"

#include <cstdint>
#include <tuple>

namespace Base::Binding
{
/// Status word of a live source, and of the last notification a source sends when it is destroyed.
constexpr std::int32_t kSourceStatusAlive = 0;
constexpr std::int32_t kSourceStatusDestroyed = 2;

/// The argument of every value-stream event: filled by every change; empty (status 2) in the last
/// notification of a source whose destruction has begun.
template <class T>
struct TValueStreamNotification
{
    std::int32_t status = kSourceStatusAlive; ///< The source's status: alive, or the end it announces.
    TOptional<T> value; ///< The value; empty when the source has none (as when it ends).
};

namespace Internal
{
/// The value type of a source of `T...`: `T` for one, `std::tuple<A, B>` for a multi-value source.
template <class... T>
struct TSourceValue
{
    using type = std::tuple<T...>;
};
template <class T>
struct TSourceValue<T>
{
    using type = T;
};
template <class... T>
using TSourceValueT = typename TSourceValue<T...>::type;
} // namespace Internal
} // namespace Base::Binding
