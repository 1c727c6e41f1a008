#include "ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <thread>

#include "SheetError.h"

extern char** environ;

namespace tally::sheet {

namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
    posix_spawn_file_actions_t actions;
};

class SpawnAttributes {
public:
    SpawnAttributes() { posix_spawnattr_init(&attributes); }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes); }
    posix_spawnattr_t attributes;
};

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                         std::chrono::seconds timeout, const std::function<bool()>& stopRequested) {
    SpawnActions files;
    posix_spawn_file_actions_addopen(&files.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files.actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files.actions, 1, 2);
    // Its own process group, so a hung program is killed with the helpers it started.
    SpawnAttributes attributes;
    posix_spawnattr_setflags(&attributes.attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes.attributes, 0);

    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    const int spawnError = posix_spawn(&pid, args[0], &files.actions, &attributes.attributes, args.data(), environ);
    if (spawnError != 0) throw fileError(spawnError, "无法启动", argv[0]);

    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) throw fileError(errno, "无法等待", argv[0]);
        const bool stop = stopRequested && stopRequested();
        if (stop || std::chrono::steady_clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            result.stopped = stop;
            result.timedOut = !stop;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!result.timedOut && !result.stopped && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    result.output = outputTail(outputFile);
    return result;
}

}  // namespace tally::sheet
