#pragma once
// The few things the test programs do differently on Windows, where they are cross-built
// with mingw-w64 and run under Wine on the build machine.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Utf8Path.h"

#ifdef _WIN32
#include <process.h>
#else
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace tally::testing {

#ifdef _WIN32
inline constexpr bool kOnWindows = true;
inline int processId() { return _getpid(); }
inline bool runsAsRoot() { return false; }
inline void setEnvironment(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
inline void unsetEnvironment(const char* name) { _putenv_s(name, ""); }
#else
inline constexpr bool kOnWindows = false;
inline int processId() { return static_cast<int>(::getpid()); }
inline bool runsAsRoot() { return ::geteuid() == 0; }
inline void setEnvironment(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }
inline void unsetEnvironment(const char* name) { ::unsetenv(name); }
#endif

// The error of a path that goes through a file as if it were a folder: Windows tells only
// that the path is not found.
inline constexpr int kNotAFolderError = kOnWindows ? ENOENT : ENOTDIR;

// Linux programs that read a result back (pdftotext, python3 with openpyxl, sh) run only
// beside the Linux build: Wine starts one from a Windows program detached, without its
// output or exit status.
inline constexpr bool kLinuxToolsRun = !kOnWindows;
inline constexpr const char* kNoLinuxTools = "reading the result back needs Linux tools, which Windows cannot run";

// Every file the process writes is cut off at `bytes` while this lives; a write past it
// fails (EFBIG) instead of ending the process. Windows has no such limit.
inline constexpr bool kFileSizeLimits = !kOnWindows;
inline constexpr const char* kNoFileSizeLimits = "Windows has no file-size limit for a process";

class FileSizeLimit {
public:
#ifdef _WIN32
    explicit FileSizeLimit(unsigned long) {}
#else
    explicit FileSizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
#endif
};

// Paths from UTF-8 text, as the program makes them (Windows reads a narrow path string in
// the C library's code page).
using tally::utf8Path;

// The name a Linux library in this process opens `path` by: the Windows build's SQLite
// ODBC driver is the host's (Wine hands ODBC to unixODBC). The path itself on Linux.
std::string hostPath(const std::filesystem::path& path);

// Whether this Windows program runs under Wine, where ODBC reaches the host's Linux drivers.
bool underWine();

// This test program's own file.
std::filesystem::path programPath();

// main's arguments in UTF-8, the program's name first: on Windows argv is in the ANSI code
// page, which cannot hold every file name.
std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace tally::testing
