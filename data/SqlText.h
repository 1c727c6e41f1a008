#pragma once
// Placing values and names into SQL text so that they can never change a statement's meaning.
#include <string>
#include <string_view>
#include <vector>

namespace tally::data {

// Doubles every single quote: for a value placed between quotes already written in the statement.
std::string escapeSqlText(std::string_view value);
// The value as a string literal: 'value' with single quotes doubled.
std::string sqlTextLiteral(std::string_view value);
// Literals joined by commas, for an IN (...) list: 'a','b'.
std::string sqlTextList(const std::vector<std::string>& values);
// A name as a bracket-quoted identifier: [name] with "]" doubled.
std::string sqlIdentifier(std::string_view name);

}  // namespace tally::data
