#pragma once
// A PDF read back as text with poppler's pdftotext -layout (Debian's poppler-utils), page
// by page, and a QGuiApplication on the offscreen platform for the tests that paint pages.
#include <QGuiApplication>
#include <QProcess>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tally::testing {

inline void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "pdf-test";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives as long as the test program
}

// One string per page; pdftotext ends every page with a form feed. Linux only (kLinuxToolsRun).
inline std::vector<std::string> pdfPages(const std::filesystem::path& file) {
    QProcess pdftotext;
    pdftotext.setProcessChannelMode(QProcess::MergedChannels);
    pdftotext.start("pdftotext", {"-layout", QString::fromStdString(file.string()), "-"});
    pdftotext.waitForFinished(-1);
    const QByteArray text = pdftotext.readAll();
    std::vector<std::string> pages;
    std::string page;
    for (char c : text) {
        if (c == '\f') {
            pages.push_back(page);
            page.clear();
        } else {
            page += c;
        }
    }
    return pages;
}

// The row numbers (序) a page shows: lines whose first word is a whole number followed by more.
inline std::vector<int> rowNumbers(const std::string& page) {
    static const std::regex numbered(R"(^\s*(\d+)\s+\S)");
    std::vector<int> numbers;
    std::istringstream lines(page);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, numbered)) numbers.push_back(std::stoi(m[1]));
    }
    return numbers;
}

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace tally::testing
