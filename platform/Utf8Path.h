#pragma once
// Paths from the program's text. Text is UTF-8 everywhere in the program, but on Windows
// std::filesystem::path reads a plain narrow string in the C library's code page: a path
// is made from text here, through char8_t, which both systems read as UTF-8. The other
// way, path::string() gives UTF-8 on both.
#include <filesystem>
#include <string>
#include <string_view>

namespace tally {

inline std::filesystem::path utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace tally
