// Replays inputs through a fuzz target without libFuzzer, for the sanitizer builds of the tests: each
// argument is an input file or a folder of them (read in name order). A broken check aborts, the
// sanitizers report on their own; otherwise prints how many inputs ran and exits 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size);

namespace
{
std::vector<std::filesystem::path> Inputs(int argc, char** argv)
{
    std::vector<std::filesystem::path> inputs;
    for (int index = 1; index < argc; ++index)
    {
        std::filesystem::path const path(argv[index]);
        if (!std::filesystem::is_directory(path))
        {
            inputs.push_back(path);
            continue;
        }
        std::vector<std::filesystem::path> folder;
        for (auto const& entry : std::filesystem::directory_iterator(path))
            if (entry.is_regular_file())
                folder.push_back(entry.path());
        std::sort(folder.begin(), folder.end());
        inputs.insert(inputs.end(), folder.begin(), folder.end());
    }
    return inputs;
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> const inputs = Inputs(argc, argv);
    for (auto const& input : inputs)
    {
        std::ifstream file(input, std::ios::binary);
        if (!file)
        {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 2;
        }
        std::vector<std::uint8_t> const bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 2 : 0;
}
