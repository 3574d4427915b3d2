#pragma once
// The byte source of the host foundation library's binary streams.
#include "host/orx2hostexport.h"

#include <cstddef>

/// A finite sequence of bytes read front to back. Thread-safety: as documented by the implementation.
class ORX2_HOST_EXPORT JbStreamReadBinary
{
public:
    virtual ~JbStreamReadBinary();
    JbStreamReadBinary(JbStreamReadBinary const&) = delete;
    JbStreamReadBinary& operator=(JbStreamReadBinary const&) = delete;

    /// Reads exactly `size` bytes into `data`. When fewer are left, throws OrxException and consumes
    /// nothing.
    virtual void Read(void* data, std::size_t size) = 0;

    /// The number of bytes still to be read.
    virtual std::size_t GetRemaining() const = 0;

protected:
    JbStreamReadBinary() = default;
};
