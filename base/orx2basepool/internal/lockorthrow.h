#pragma once
// Models hold the host's objects weakly; most operations need them and fail loudly when they are gone.
#include "host/foundation/orxexception.h"

#include <memory>

namespace Base::Internal
{
/// Locks `object`; when it has expired, throws OrxException(file, line, function, message) instead.
/// `message` is used as it stands (no formatting).
template <class T>
std::shared_ptr<T> LockOrThrow(std::weak_ptr<T> const& object, char const* file, int line, char const* function,
                               wchar_t const* message)
{
    std::shared_ptr<T> locked = object.lock();
    if (!locked)
        ThrowOrxException(file, line, function, L"%s", message);
    return locked;
}
} // namespace Base::Internal
