#pragma once
// Binary output into memory.
#include "host/foundation/jbstreamwritebinary.h"
#include "host/orx2hostexport.h"

#include <cstddef>
#include <vector>

/// Collects the written bytes in a growing buffer. Not thread-safe (one writer).
class ORX2_HOST_EXPORT JbStreamWriteBinaryBuffer final : public JbStreamWriteBinary
{
public:
    JbStreamWriteBinaryBuffer();
    ~JbStreamWriteBinaryBuffer() override;

    /// Appends; throws std::bad_alloc.
    void Write(void const* data, std::size_t size) override;

    /// The bytes written so far; the pointer is invalidated by the next Write().
    unsigned char const* GetData() const noexcept { return m_bytes.data(); }
    /// The number of bytes written so far.
    std::size_t GetSize() const noexcept { return m_bytes.size(); }
    /// The bytes written so far, in the form commands take their arguments.
    std::vector<unsigned char> const& GetBytes() const noexcept { return m_bytes; }

private:
    std::vector<unsigned char> m_bytes;
};
