#pragma once
// Whether values taken from the database stayed inside the statement's literals.
//
// A value is safe in a statement when it sits whole inside one string literal or one
// quoted identifier. The check tokenizes the statement and reports every place where
// the marker that all hostile values carry turns up anywhere else (in a keyword, a
// name, a comment, a number), where a literal carrying it holds no whole value (the
// value was cut), and every comment or unterminated literal (the statements the
// reports build have neither).
#include <string>
#include <string_view>
#include <vector>

namespace tally::testing {

std::vector<std::string> statementSpills(std::string_view sql, const std::vector<std::string>& values,
                                         std::string_view marker);

}  // namespace tally::testing
