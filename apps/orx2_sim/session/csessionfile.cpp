#include "csessionfile.h"

#include "host/acquisitionbase/corxstreambinarylegacy.h"
#include "host/foundation/jbarray.h"
#include "host/foundation/jbstreamreadbinarybuffer.h"
#include "host/foundation/jbstreamwritebinarybuffer.h"
#include "host/foundation/orxexception.h"

#include <algorithm>
#include <fstream>
#include <memory>

namespace Orx2Sim
{
namespace
{
// Execution id, the name's count and the bytes' count: the least a record takes.
constexpr std::size_t kMinimumRecordSize = 3 * sizeof(std::uint32_t);
constexpr std::size_t kHeaderSize = CSessionFile::kMagic.size() + 2 * sizeof(std::uint32_t);

/// True when writing `name` gives exactly the `size` bytes at `bytes`.
bool EncodesTo(std::wstring const& name, unsigned char const* bytes, std::size_t size)
{
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    Base::CORXStreamWriteBinaryLegacy writer(buffer);
    writer << name;
    return buffer->GetBytes().size() == size && std::equal(bytes, bytes + size, buffer->GetBytes().begin());
}
} // namespace

std::vector<unsigned char> CSessionFile::Encode(std::vector<SSessionRecord> const& records)
{
    auto const buffer = std::make_shared<JbStreamWriteBinaryBuffer>();
    Base::CORXStreamWriteBinaryLegacy writer(buffer);
    for (unsigned char const byte : kMagic)
        writer << byte;
    writer << kFormatVersion << static_cast<std::uint32_t>(records.size());
    for (std::size_t index = 0; index < records.size(); ++index)
    {
        SSessionRecord const& record = records[index];
        if (record.commandName.empty())
            throw CSessionFileError(index + 1, "the command name is empty");
        writer << record.executionId << record.commandName << record.argumentBytes;
    }
    return buffer->GetBytes();
}

std::vector<SSessionRecord> CSessionFile::Decode(std::vector<unsigned char> const& bytes)
{
    if (bytes.size() < kHeaderSize)
        throw CSessionFileError(std::nullopt, "not a session file: " + std::to_string(bytes.size()) +
                                                  " byte(s), shorter than the header");
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        throw CSessionFileError(std::nullopt, "not a session file: the magic is not \"ORX2SESS\"");

    auto const array = std::make_shared<JbArray<unsigned char> const>(bytes.data(), bytes.size());
    Base::CORXStreamReadBinaryLegacy reader(std::make_shared<JbStreamReadBinaryBuffer>(array));
    unsigned char magic[kMagic.size()];
    for (unsigned char& byte : magic)
        reader >> byte;
    std::uint32_t version = 0;
    std::uint32_t count = 0;
    reader >> version >> count;
    if (version != kFormatVersion)
        throw CSessionFileError(std::nullopt, "format version " + std::to_string(version) +
                                                  " is not supported (this simulator reads version " +
                                                  std::to_string(kFormatVersion) + ")");
    if (static_cast<std::uint64_t>(count) * kMinimumRecordSize > reader.GetRemaining())
        throw CSessionFileError(std::nullopt, "truncated: the header announces " + std::to_string(count) +
                                                  " record(s), the " + std::to_string(reader.GetRemaining()) +
                                                  " byte(s) after it cannot hold them");

    std::vector<SSessionRecord> records;
    records.reserve(count);
    for (std::uint32_t index = 0; index < count; ++index)
    {
        SSessionRecord record;
        std::size_t nameOffset = 0;
        std::size_t nameSize = 0;
        try
        {
            reader >> record.executionId;
            nameOffset = bytes.size() - reader.GetRemaining();
            reader >> record.commandName;
            nameSize = bytes.size() - reader.GetRemaining() - nameOffset;
            reader >> record.argumentBytes;
        }
        catch (OrxException const& error)
        {
            throw CSessionFileError(index + 1, std::string("truncated: ") + error.what());
        }
        if (record.commandName.empty())
            throw CSessionFileError(index + 1, "the command name is empty");
        // Reading replaces an unpaired surrogate; a name the writer cannot have written is refused.
        if (!EncodesTo(record.commandName, bytes.data() + nameOffset, nameSize))
            throw CSessionFileError(index + 1, "the command name is not valid UTF-16");
        records.push_back(std::move(record));
    }
    if (std::size_t const leftOver = reader.GetRemaining(); leftOver != 0)
        throw CSessionFileError(std::nullopt, std::to_string(leftOver) + " byte(s) after the last record (" +
                                                  std::to_string(count) + " announced)");
    return records;
}

std::vector<SSessionRecord> CSessionFile::Read(std::string const& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        throw CSessionFileError(std::nullopt, "cannot be opened for reading");
    std::streamoff const size = file.tellg();
    if (size < 0)
        throw CSessionFileError(std::nullopt, "cannot be read");
    if (static_cast<std::uint64_t>(size) > kMaximumFileSize)
        throw CSessionFileError(std::nullopt, "larger than " + std::to_string(kMaximumFileSize) + " bytes");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        throw CSessionFileError(std::nullopt, "cannot be read");
    return Decode(bytes);
}

void CSessionFile::Write(std::string const& path, std::vector<SSessionRecord> const& records)
{
    std::vector<unsigned char> const bytes = Encode(records);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file.write(reinterpret_cast<char const*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size())) ||
        !file.flush())
        throw CSessionFileError(std::nullopt, "cannot be written");
}
} // namespace Orx2Sim
