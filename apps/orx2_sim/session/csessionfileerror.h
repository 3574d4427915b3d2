#pragma once
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace Orx2Sim
{
/// Why a session file cannot be used: the record it concerns (counting from 1; empty for the header or
/// the file as a whole) and the reason. `what()` is "record N: reason" or the reason alone.
class CSessionFileError : public std::runtime_error
{
public:
    /// Throws std::bad_alloc.
    CSessionFileError(std::optional<std::size_t> record, std::string const& reason)
        : std::runtime_error(record ? "record " + std::to_string(*record) + ": " + reason : reason),
          m_record(record), m_reason(reason)
    {
    }

    std::optional<std::size_t> GetRecord() const noexcept { return m_record; }
    std::string const& GetReason() const noexcept { return m_reason; }

private:
    std::optional<std::size_t> m_record;
    std::string m_reason;
};
} // namespace Orx2Sim
