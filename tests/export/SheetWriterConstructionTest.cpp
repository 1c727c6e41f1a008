// A writer whose workbook exists but whose sheet cannot be made fails with the library's
// error, frees the workbook and leaves nothing in the target folder. The sheet's row data
// lives in a temporary file that the library puts in $TMP, $TEMP, /tmp or the current
// folder; a child process in a mount namespace of its own makes all of them unwritable.
// The child ends through exit(), so LeakSanitizer (sanitizer build) checks it as well.
#include <gtest/gtest.h>

#ifdef _WIN32

TEST(SheetWriterConstruction, SheetThatCannotBeMadeIsReportedAndLeavesNothing) {
    GTEST_SKIP() << "needs a child process with a read-only /tmp in a mount namespace of its own (Linux)";
}

#else

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <xlsxwriter.h>

#include "ScratchFolder.h"
#include "SheetError.h"
#include "SheetWriter.h"
#include "faults/PrivateMounts.h"

using namespace tally::sheet;
using tally::testing::ScratchFolder;

namespace {

constexpr int kCannotIsolate = 77;

// Returns what went wrong, or "" when the writer failed as it should.
std::string constructWithoutTemporaryFolder(int folder) {
    const std::string target = "/proc/self/fd/" + std::to_string(folder) + "/报表.xlsx";
    try {
        SheetWriter sheet(chooseOutput(target, {}), {2, 3});
        return "the writer was made";
    } catch (const SheetError& e) {
        const std::string expected =
            std::string("无法创建工作簿或其临时文件: ") + lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
        if (e.number != sheet_errors::kLibraryBase + LXW_ERROR_MEMORY_MALLOC_FAILED || e.description != expected)
            return "error " + std::to_string(e.number) + ": " + e.description;
    }
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd/" + std::to_string(folder)))
        return "left behind: " + entry.path().filename().native();
    return "";
}

// In a forked child: its exit status, and what it wrote to stderr.
struct ChildResult {
    int status = -1;
    std::string output;
};

ChildResult runIsolated(const std::filesystem::path& folder) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], STDERR_FILENO);
        ::close(pipeEnds[0]);
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0 || !tally::testing::enterPrivateMountNamespace() ||
            ::mount("tally-test", "/tmp", "tmpfs", MS_RDONLY, nullptr) != 0 || ::chdir("/tmp") != 0)
            std::exit(kCannotIsolate);
        ::unsetenv("TMP");
        ::unsetenv("TEMP");
        const std::string problem = constructWithoutTemporaryFolder(dir);
        std::fputs(problem.c_str(), stderr);
        std::exit(problem.empty() ? 0 : 1);  // exit(), not _exit(): the leak check runs at exit
    }
    ::close(pipeEnds[1]);
    ChildResult result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) result.output.append(buffer, n);
    ::close(pipeEnds[0]);
    if (child > 0) ::waitpid(child, &result.status, 0);
    return result;
}

TEST(SheetWriterConstruction, SheetThatCannotBeMadeIsReportedAndLeavesNothing) {
    ScratchFolder folder;
    const ChildResult child = runIsolated(folder.path());
    if (WIFEXITED(child.status) && WEXITSTATUS(child.status) == kCannotIsolate)
        GTEST_SKIP() << "needs root and a private mount namespace for a read-only /tmp";
    EXPECT_TRUE(WIFEXITED(child.status) && WEXITSTATUS(child.status) == 0) << "status " << child.status << "\n"
                                                                           << child.output;
    EXPECT_TRUE(folder.names().empty());
}

}  // namespace

#endif
