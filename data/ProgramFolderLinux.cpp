#include <system_error>

#include "ProgramFiles.h"

namespace tally::data {

std::filesystem::path runningProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

}  // namespace tally::data
