#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>

namespace Orx2Sim
{
/// Input the simulator refuses before it runs anything: a scenario file, a step typed at the prompt,
/// a session file. `what()` is "file:line: reason" (without the parts that are unknown).
class CSimInputError : public std::runtime_error
{
public:
    /// `file` may be empty; `line` 0 means none. Throws std::bad_alloc.
    CSimInputError(std::string const& file, std::size_t line, std::string const& reason)
        : std::runtime_error((file.empty() ? std::string() : file + ":") +
                             (line == 0 ? std::string() : std::to_string(line) + ":") +
                             (file.empty() && line == 0 ? "" : " ") + reason),
          m_reason(reason)
    {
    }

    std::string const& GetReason() const noexcept { return m_reason; }

private:
    std::string m_reason;
};
} // namespace Orx2Sim
