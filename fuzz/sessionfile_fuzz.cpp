// Reads arbitrary bytes as a simulator session file.
//
// Either the bytes are refused with a CSessionFileError that says why (and nothing else escapes), or
// they decode to records that encode back to exactly the same bytes: the reader accepts only what the
// writer produces. No single allocation may exceed a small multiple of the input.
#include "fuzzcheck.h"
#include "session/csessionfile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace
{
/// The largest single allocation made while tracking is on.
struct AllocationWatch
{
    static inline bool tracking = false;
    static inline std::size_t largest = 0;

    static void OnMalloc(void const volatile*, std::size_t size)
    {
        if (tracking && size > largest)
            largest = size;
    }
    static void OnFree(void const volatile*) {}
};

bool InstallHooks()
{
    __sanitizer_install_malloc_and_free_hooks(&AllocationWatch::OnMalloc, &AllocationWatch::OnFree);
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    static bool const installed = InstallHooks();
    static_cast<void>(installed);
    std::vector<unsigned char> const bytes(data, data + size);

    std::vector<Orx2Sim::SSessionRecord> records;
    bool decoded = false;
    AllocationWatch::largest = 0;
    AllocationWatch::tracking = true;
    try
    {
        records = Orx2Sim::CSessionFile::Decode(bytes);
        decoded = true;
    }
    catch (Orx2Sim::CSessionFileError const& error)
    {
        AllocationWatch::tracking = false;
        ORX2_FUZZ_CHECK(!error.GetReason().empty());
        ORX2_FUZZ_CHECK(!error.GetRecord() || *error.GetRecord() >= 1);
    }
    AllocationWatch::tracking = false;
    // Records are reserved only as far as the bytes left can hold them; an error message takes a fixed
    // buffer of 8192 wide characters.
    ORX2_FUZZ_CHECK(AllocationWatch::largest <= 8 * size + 64 * 1024);

    if (decoded)
    {
        for (auto const& record : records)
            ORX2_FUZZ_CHECK(!record.commandName.empty());
        ORX2_FUZZ_CHECK(Orx2Sim::CSessionFile::Encode(records) == bytes);
    }
    return 0;
}
