#pragma once
// The session file: every recorded execution of a serializable command, in the order they started, so
// that another process can execute them again by name.
//
// Layout, in the legacy binary format of the command arguments (little-endian, strings as a uint32
// count of UTF-16 units followed by the units):
//   magic            8 bytes "ORX2SESS"
//   format version   uint32, kFormatVersion
//   record count     uint32
//   each record      uint32 execution id, string command name, uint32 byte count and the argument bytes
// Nothing follows the last record.
#include "csessionfileerror.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Orx2Sim
{
/// One recorded execution.
struct SSessionRecord
{
    std::wstring commandName;
    std::uint32_t executionId = 0;
    std::vector<unsigned char> argumentBytes;

    friend bool operator==(SSessionRecord const& a, SSessionRecord const& b)
    {
        return a.commandName == b.commandName && a.executionId == b.executionId &&
               a.argumentBytes == b.argumentBytes;
    }
};

/// Encodes and decodes session files. Stateless; every member is thread-safe.
class CSessionFile
{
public:
    static constexpr std::array<unsigned char, 8> kMagic = {'O', 'R', 'X', '2', 'S', 'E', 'S', 'S'};
    static constexpr std::uint32_t kFormatVersion = 1;
    /// Larger files are refused before they are read.
    static constexpr std::size_t kMaximumFileSize = std::size_t{64} * 1024 * 1024;

    /// The bytes of a session file holding `records`. Throws CSessionFileError for a record that cannot
    /// be encoded (an empty command name), std::bad_alloc.
    static std::vector<unsigned char> Encode(std::vector<SSessionRecord> const& records);

    /// Decodes a whole session file. Throws CSessionFileError when the bytes are not a session file of
    /// this format version, are truncated, hold a record whose command name is empty or not valid
    /// UTF-16, or have bytes after the last record; allocates at most a small multiple of `bytes.size()`.
    static std::vector<SSessionRecord> Decode(std::vector<unsigned char> const& bytes);

    /// Reads and decodes the file at `path` completely. Throws CSessionFileError as Decode, and when the
    /// file cannot be read or is larger than kMaximumFileSize.
    static std::vector<SSessionRecord> Read(std::string const& path);

    /// Writes `records` to `path`, replacing the file. Throws CSessionFileError when it cannot be written.
    static void Write(std::string const& path, std::vector<SSessionRecord> const& records);
};
} // namespace Orx2Sim
