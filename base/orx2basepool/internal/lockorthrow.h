#pragma once
// Models hold the host's objects weakly; most operations need them and fail loudly when they are gone.
#include "base/orx2basepool/csourcefile.h"

#include <memory>

namespace Base::Internal
{
/// Locks `object`; when it has expired, throws OrxException from (source, line, function) with
/// `message` as it stands (no formatting).
template <class T>
std::shared_ptr<T> LockOrThrow(std::weak_ptr<T> const& object, CSourceFile const& source, int line,
                               char const* function, wchar_t const* message)
{
    std::shared_ptr<T> locked = object.lock();
    if (!locked)
        source.Throw(line, function, L"%s", message);
    return locked;
}
} // namespace Base::Internal
