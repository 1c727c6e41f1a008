#include <windows.h>

#include <cerrno>

#include "ChildProcess.h"
#include "SheetError.h"
#include "Utf8Path.h"
#include "WindowsErrors.h"

namespace tally::sheet {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    ~Handle() { close(); }
    void close() {
        if (valid()) CloseHandle(handle_);  // nothing to do about a failure on the way out
        handle_ = nullptr;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// One argument as the C runtime of the started program reads it back.
void appendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote is escaped.
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');  // before the closing quote
    line += L'"';
}

SheetError lastError(const char* what, const std::string& program) {
    return fileError(errnoFromWindowsError(GetLastError()), what, program);
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                         std::chrono::seconds timeout, const std::function<bool()>& stopRequested) {
    std::wstring commandLine;
    for (const auto& argument : argv) {
        if (!commandLine.empty()) commandLine += L' ';
        appendQuoted(commandLine, utf8Path(argument).wstring());
    }

    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    Handle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!input.valid() || !output.valid()) throw lastError("无法启动", argv[0]);

    // A job that ends every process in it when its last handle closes: the program and
    // whatever helpers it starts go together, on a time-out and on any way out of here.
    Handle job(CreateJobObjectW(nullptr, nullptr));
    if (!job.valid()) throw lastError("无法启动", argv[0]);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
        throw lastError("无法启动", argv[0]);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    PROCESS_INFORMATION started{};
    const std::wstring program = utf8Path(argv[0]).wstring();
    // Suspended until it is in the job, so nothing it starts escapes the job.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr, nullptr, &startup,
                        &started))
        throw lastError("无法启动", argv[0]);
    Handle process(started.hProcess);
    Handle thread(started.hThread);
    if (!AssignProcessToJobObject(job.get(), process.get())) {
        const DWORD error = GetLastError();
        TerminateProcess(process.get(), 1);
        SetLastError(error);
        throw lastError("无法启动", argv[0]);
    }
    ResumeThread(thread.get());

    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        const DWORD waited = WaitForSingleObject(process.get(), 20);
        if (waited == WAIT_OBJECT_0) break;
        if (waited == WAIT_FAILED) throw lastError("无法等待", argv[0]);
        const bool stop = stopRequested && stopRequested();
        if (stop || std::chrono::steady_clock::now() >= deadline) {
            TerminateJobObject(job.get(), 1);
            WaitForSingleObject(process.get(), INFINITE);
            result.stopped = stop;
            result.timedOut = !stop;
            break;
        }
    }
    DWORD exitCode = 0;
    if (!result.timedOut && !result.stopped && GetExitCodeProcess(process.get(), &exitCode))
        result.exitCode = static_cast<int>(exitCode);
    output.close();  // all written before it is read back
    result.output = outputTail(outputFile);
    return result;
}

}  // namespace tally::sheet
