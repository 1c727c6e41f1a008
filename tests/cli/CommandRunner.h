#pragma once
// Runs tallyvane-report as a process and keeps its exit status and both outputs.
#include <QProcess>
#include <QStringList>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ScratchFolder.h"
#include "TestDatabase.h"

namespace tally::testing {

struct CommandResult {
    int status = -1;  // the exit status; -1 when the program did not start or did not end by itself
    std::string out, err;
};

inline std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The words sh makes of a line without expansions: blanks between words, '...' taken as
// it is, "..." with \ before " \ $ ` and \ before any character outside quotes.
inline std::vector<std::string> shellWords(const std::string& line) {
    constexpr auto npos = std::string_view::npos;
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const auto end = line.find('\'', i + 1);
            if (end == std::string::npos) throw std::invalid_argument("unclosed ' in: " + line);
            word += line.substr(i + 1, end - i - 1);
            i = end;
        } else if (c == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && std::string_view("\"\\$`").find(line[i + 1]) != npos) ++i;
                word += line[i];
            }
            if (i == line.size()) throw std::invalid_argument("unclosed \" in: " + line);
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
        } else {
            word += c;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

// Runs `program` with `arguments`, no shell in between; stdin reads nothing.
inline CommandResult runProgram(const QString& program, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) list << QString::fromStdString(argument);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, list);
    CommandResult r;
    if (!process.waitForFinished(-1)) {
        r.err = process.errorString().toStdString();
        return r;
    }
    const QByteArray out = process.readAllStandardOutput(), err = process.readAllStandardError();
    r.out.assign(out.constData(), out.size());
    r.err.assign(err.constData(), err.size());
    if (process.exitStatus() == QProcess::NormalExit) r.status = process.exitCode();
    return r;
}

// A shell command line (Linux only: see kLinuxToolsRun).
inline CommandResult runShell(const std::string& command) { return runProgram("/bin/sh", {"-c", command}); }

// The tool with `arguments` split as a shell would.
inline CommandResult runReportTool(const std::string& arguments) {
    return runProgram(QString::fromUtf8(TALLYVANE_REPORT), shellWords(arguments));
}

}  // namespace tally::testing
