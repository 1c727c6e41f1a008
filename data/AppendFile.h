#pragma once
// A file opened to append to, by a UTF-8 name (on Windows, fopen would read the name in
// the ANSI code page). nullptr and errno set when it cannot be opened.
#include <cstdio>
#include <string>

namespace tally::data {

std::FILE* openForAppending(const std::string& path);

}  // namespace tally::data
