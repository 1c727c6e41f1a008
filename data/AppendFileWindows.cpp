#include <filesystem>

#include "AppendFile.h"

namespace tally::data {

std::FILE* openForAppending(const std::string& path) {
    return _wfopen(std::filesystem::path(path).c_str(), L"ab");  // binary: the log's lines end as on Linux
}

}  // namespace tally::data
