#pragma once
// Small file systems of the test's own, for the faults a user's disk can show: a folder
// that turns read-only, a disk that fills up. They live in a mount namespace of the test
// process, so nothing outside it sees them and they vanish with it. Needs root (CI runs
// as root); elsewhere, and on Windows, which has none, the tests that need them say why
// they are skipped.
#include <filesystem>
#include <string>

#ifdef _WIN32

namespace tally::testing {

inline bool enterPrivateMountNamespace() { return false; }
inline bool mountSmallDisk(const std::filesystem::path&, unsigned long) { return false; }
inline bool remountReadOnly(const std::filesystem::path&) { return false; }
inline void unmount(const std::filesystem::path&) {}

}  // namespace tally::testing

#else

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tally::testing {

// Call before any thread starts (before QApplication): unshare refuses threaded callers.
inline bool enterPrivateMountNamespace() {
    if (::geteuid() != 0) return false;
    if (::unshare(CLONE_NEWNS) != 0) return false;
    // Mounts made here must not travel back to the machine's namespace.
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// A tmpfs of `bytes` over `folder` (which must exist).
inline bool mountSmallDisk(const std::filesystem::path& folder, unsigned long bytes) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    return ::mount("tally-test", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

inline bool remountReadOnly(const std::filesystem::path& folder) {
    return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

inline void unmount(const std::filesystem::path& folder) { ::umount2(folder.c_str(), MNT_DETACH); }

}  // namespace tally::testing

#endif
