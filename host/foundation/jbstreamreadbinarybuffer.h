#pragma once
// Binary input from memory.
#include "host/foundation/jbarray.h"
#include "host/foundation/jbstreamreadbinary.h"
#include "host/orx2hostexport.h"

#include <cstddef>
#include <memory>

/// Reads the bytes of an array. Not thread-safe (one reader); the array is never modified.
class ORX2_HOST_EXPORT JbStreamReadBinaryBuffer final : public JbStreamReadBinary
{
public:
    /// Reads `bytes`, shared with the caller; null reads as empty.
    explicit JbStreamReadBinaryBuffer(std::shared_ptr<JbArray<unsigned char> const> bytes);
    /// Reads `bytes`, taken over. Throws std::bad_alloc.
    explicit JbStreamReadBinaryBuffer(JbArray<unsigned char> bytes);
    ~JbStreamReadBinaryBuffer() override;

    /// See JbStreamReadBinary::Read; throws OrxException when fewer than `size` bytes are left.
    void Read(void* data, std::size_t size) override;
    std::size_t GetRemaining() const noexcept override { return m_size - m_position; }

private:
    std::shared_ptr<JbArray<unsigned char> const> m_bytes;
    std::size_t m_size;
    std::size_t m_position = 0;
};
