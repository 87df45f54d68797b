// flock on a lock file beside the data file, waited for a bounded time.
#include "storage/file_lock.h"

#include "storage/storage_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace kumoji {

namespace {

// A save takes milliseconds; a copy that holds the lock this long is stopped or hung, and
// the player is better told than frozen.
std::chrono::milliseconds WaitLimit{5000};

} // namespace

void TFileLock::SetWaitLimit(std::chrono::milliseconds Limit) {
    WaitLimit = Limit;
}

TFileLock::TFileLock(const std::string& FileName) {
    const std::string Name = LockName(FileName);
    int Fd = ::open(Name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (Fd < 0 && errno != ENOENT)
        Fd = ::open(Name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (Fd < 0) {
        FError = {errno, std::generic_category()};
        return;
    }
    const auto Deadline = std::chrono::steady_clock::now() + WaitLimit;
    for (;;) {
        if (::flock(Fd, LOCK_EX | LOCK_NB) == 0) {
            FFd = Fd;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            FError = {errno, std::generic_category()};
            break;
        }
        if (std::chrono::steady_clock::now() >= Deadline) {
            FError = TStorageError::Locked;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::close(Fd);
}

TFileLock::~TFileLock() {
    if (FFd >= 0)
        ::close(FFd);
}

} // namespace kumoji
