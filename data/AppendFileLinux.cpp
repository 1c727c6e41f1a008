#include "AppendFile.h"

namespace tally::data {

std::FILE* openForAppending(const std::string& path) { return std::fopen(path.c_str(), "a"); }

}  // namespace tally::data
