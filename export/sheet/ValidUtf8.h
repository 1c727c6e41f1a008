#pragma once
// Text made fit for files that must hold UTF-8 (sheet XML, JSON): database texts may
// carry bytes of an older encoding, which would make the whole file unreadable.
#include <string>
#include <string_view>

namespace tally::sheet {

// The text with every byte that does not start a complete, shortest-form UTF-8
// character replaced by U+FFFD; valid text comes back unchanged.
std::string validUtf8(std::string_view text);
// Whether validUtf8() would give the text back unchanged.
bool isValidUtf8(std::string_view text);

}  // namespace tally::sheet
