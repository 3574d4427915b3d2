#include "host/foundation/jbstreamreadbinary.h"
#include "host/foundation/jbstreamreadbinarybuffer.h"
#include "host/foundation/jbstreamwritebinary.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "host/foundation/orxexception.h"

#include <cstring>

JbStreamWriteBinary::~JbStreamWriteBinary() = default;

JbStreamReadBinary::~JbStreamReadBinary() = default;

JbStreamWriteBinaryBuffer::JbStreamWriteBinaryBuffer() = default;

JbStreamWriteBinaryBuffer::~JbStreamWriteBinaryBuffer() = default;

void JbStreamWriteBinaryBuffer::Write(void const* data, std::size_t size)
{
    if (size != 0)
    {
        auto const* const bytes = static_cast<unsigned char const*>(data);
        m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    }
}

JbStreamReadBinaryBuffer::JbStreamReadBinaryBuffer(std::shared_ptr<JbArray<unsigned char> const> bytes)
    : m_bytes(std::move(bytes)), m_size(m_bytes ? m_bytes->GetSize() : 0)
{
}

JbStreamReadBinaryBuffer::JbStreamReadBinaryBuffer(JbArray<unsigned char> bytes)
    : JbStreamReadBinaryBuffer(std::make_shared<JbArray<unsigned char> const>(std::move(bytes)))
{
}

JbStreamReadBinaryBuffer::~JbStreamReadBinaryBuffer() = default;

void JbStreamReadBinaryBuffer::Read(void* data, std::size_t size)
{
    if (size > GetRemaining())
    {
        // The foundation lies below the framework's source-file helper; it throws through its own function.
        ThrowOrxException("host/foundation/jbstreamreadbinarybuffer", __LINE__, "JbStreamReadBinaryBuffer::Read",
                          L"Reading %zu bytes from a memory buffer: %zu left", size, GetRemaining());
    }
    if (size != 0)
    {
        std::memcpy(data, m_bytes->GetData() + m_position, size);
        m_position += size;
    }
}
