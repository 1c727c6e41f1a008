#include "AppendFile.h"
#include "Utf8Path.h"

namespace tally::data {

std::FILE* openForAppending(const std::string& path) {
    return _wfopen(utf8Path(path).c_str(), L"ab");  // binary: the log's lines end as on Linux
}

}  // namespace tally::data
