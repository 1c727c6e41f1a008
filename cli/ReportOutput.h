#pragma once
// A finished result as the command-line tool writes it: title, two heading rows, cell texts.
#include <ostream>
#include <string>
#include <vector>

namespace tally::cli {

struct ReportOutput {
    std::string kind;
    std::string title;
    std::vector<std::vector<std::string>> headings;  // two rows
    std::vector<std::vector<std::string>> rows;
};

void writeJson(std::ostream& out, const ReportOutput& report);
// UTF-8 with a byte-order mark: the heading rows, then the rows.
void writeCsv(std::ostream& out, const ReportOutput& report);

std::string jsonString(const std::string& text);
// A CSV field: quoted when it holds a comma, quote or line break (quotes doubled).
std::string csvField(const std::string& text);

}  // namespace tally::cli
