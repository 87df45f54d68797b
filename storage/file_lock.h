// The lock that lets several copies of the game share one data file.
#pragma once

#include <chrono>
#include <string>
#include <system_error>

namespace kumoji {

// Holds an exclusive lock on FileName + ".lock" for its lifetime, so that a read, change and
// write of the data file by one copy of the game never interleaves with another copy's. The
// kernel drops the lock when a process dies, so a crashed copy leaves nothing behind.
class TFileLock {
public:
    explicit TFileLock(const std::string& FileName);
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    bool Held() const { return FFd >= 0; }
    // Why the lock is not held: TStorageError::Locked when another holder kept it past the
    // waiting time, or the errno of making the lock file (a read-only folder).
    std::error_code Error() const { return FError; }

    static std::string LockName(const std::string& FileName) { return FileName + ".lock"; }
    // How long a copy waits for another's save before giving up; tests shorten it.
    static void SetWaitLimit(std::chrono::milliseconds Limit);

private:
    int FFd = -1;
    std::error_code FError;
};

} // namespace kumoji
