#include "ChildProcess.h"

#include <fstream>
#include <sstream>

namespace tally::sheet {

std::string outputTail(const std::filesystem::path& outputFile) {
    constexpr std::size_t kLimit = 1000;
    std::ifstream in(outputFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string all = text.str();
    return all.size() > kLimit ? all.substr(all.size() - kLimit) : all;
}

}  // namespace tally::sheet
