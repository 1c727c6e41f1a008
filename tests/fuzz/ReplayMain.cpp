// Runs a fuzz target's LLVMFuzzerTestOneInput over files and folders of inputs, so the
// committed corpora are regression tests in builds without libFuzzer (g++).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzCheck.h"

namespace fs = std::filesystem;

static void runOne(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s (%zu bytes)\n", file.string().c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path arg(argv[i]);
        std::vector<fs::path> files;
        if (fs::is_directory(arg)) {
            for (const auto& entry : fs::directory_iterator(arg))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(arg);
        }
        for (const auto& f : files) runOne(f);
        count += files.size();
    }
    std::printf("%zu inputs replayed\n", count);
    // An empty corpus would make the test pass without checking anything.
    return count > 0 ? 0 : 1;
}
