#pragma once
// The byte sink of the host foundation library's binary streams.
#include "host/orx2hostexport.h"

#include <cstddef>

/// Somewhere bytes can be appended to. Thread-safety: as documented by the implementation.
class ORX2_HOST_EXPORT JbStreamWriteBinary
{
public:
    virtual ~JbStreamWriteBinary();
    JbStreamWriteBinary(JbStreamWriteBinary const&) = delete;
    JbStreamWriteBinary& operator=(JbStreamWriteBinary const&) = delete;

    /// Appends the `size` bytes at `data` (which may be null only when `size` is 0). Throws
    /// OrxException when the stream cannot take them, std::bad_alloc.
    virtual void Write(void const* data, std::size_t size) = 0;

protected:
    JbStreamWriteBinary() = default;
};
