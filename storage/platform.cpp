#include "storage/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kumoji {

namespace {

int WriteAll(int Fd, std::string_view Bytes) {
    std::size_t Done = 0;
    while (Done < Bytes.size()) {
        const ssize_t N = ::write(Fd, Bytes.data() + Done, Bytes.size() - Done);
        if (N < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        Done += static_cast<std::size_t>(N);
    }
    return 0;
}

// Creates every missing folder of Folder, outermost first.
int MakeFolderChain(const std::string& Folder, mode_t Mode) {
    if (Folder.empty())
        return 0;
    struct stat St {};
    if (::stat(Folder.c_str(), &St) == 0)
        return S_ISDIR(St.st_mode) ? 0 : ENOTDIR;
    std::vector<std::string> Missing;
    std::string Path = Folder;
    while (!Path.empty() && ::stat(Path.c_str(), &St) != 0) {
        if (errno != ENOENT)
            return errno;
        Missing.push_back(Path);
        const std::string Parent = FolderOf(Path);
        if (Parent == Path)
            break;
        Path = Parent;
    }
    if (!Path.empty() && ::stat(Path.c_str(), &St) == 0 && !S_ISDIR(St.st_mode))
        return ENOTDIR;
    for (auto It = Missing.rbegin(); It != Missing.rend(); ++It)
        if (::mkdir(It->c_str(), Mode) != 0 && errno != EEXIST)
            return errno;
    return 0;
}

mode_t DefaultMode() {
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    return 0666 & ~Mask;
}

TDriveTypeQuery& DriveTypeQuery() {
    static TDriveTypeQuery Query;
    return Query;
}

std::error_code SystemError(int Errno) {
    return {Errno, std::generic_category()};
}

} // namespace

std::error_code MakeFolders(const std::string& Folder, unsigned Mode) {
    if (const int Error = MakeFolderChain(Folder, static_cast<mode_t>(Mode)))
        return SystemError(Error);
    return {};
}

bool FileExists(const std::string& FileName) {
    if (FileName.empty())
        return false;
    struct stat St {};
    return ::stat(FileName.c_str(), &St) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

std::error_code ReadWholeFile(const std::string& FileName, std::string& Bytes) {
    Bytes.clear();
    const int Fd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0)
        return SystemError(errno);
    struct stat St {};
    if (::fstat(Fd, &St) != 0) {
        const int Error = errno;
        ::close(Fd);
        return SystemError(Error);
    }
    if (!S_ISREG(St.st_mode)) {
        ::close(Fd);
        return TStorageError::NotRegularFile;
    }
    if (St.st_size > 0)
        Bytes.reserve(static_cast<std::size_t>(St.st_size));
    char Block[65536];
    int Error = 0;
    for (;;) {
        const ssize_t N = ::read(Fd, Block, sizeof Block);
        if (N < 0) {
            if (errno == EINTR)
                continue;
            Error = errno;
            break;
        }
        if (N == 0)
            break;
        Bytes.append(Block, static_cast<std::size_t>(N));
    }
    ::close(Fd);
    if (Error != 0)
        Bytes.clear();
    return Error != 0 ? SystemError(Error) : std::error_code();
}

std::string FolderOf(const std::string& FileName) {
    const std::size_t Slash = FileName.rfind('/');
    if (Slash == std::string::npos)
        return {};
    if (Slash == 0)
        return "/";
    return FileName.substr(0, Slash);
}

namespace {

// A name of the same folder can be renamed over without a copy; RENAME_NOREPLACE makes the
// check for an existing file and the rename one step, and where the file system lacks it the
// caller's lock keeps the two together.
int RenameNew(const std::string& From, const std::string& To, bool Replace) {
    if (Replace)
        return ::rename(From.c_str(), To.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    struct stat St {};
    if (::lstat(To.c_str(), &St) == 0)
        return EEXIST;
    return ::rename(From.c_str(), To.c_str()) == 0 ? 0 : errno;
}

std::error_code WriteAndRename(const std::string& FileName, std::string_view Bytes, mode_t Mode,
                               bool Replace) {
    const std::string Folder = FolderOf(FileName);
    if (const int Error = MakeFolderChain(Folder, 0777))
        return SystemError(Error);

    std::string Temp = FileName + TemporaryInfix + "XXXXXX";
    const int Fd = ::mkostemp(Temp.data(), O_CLOEXEC);
    if (Fd < 0)
        return SystemError(errno);
    int Error = WriteAll(Fd, Bytes);
    if (Error == 0 && ::fchmod(Fd, Mode) != 0)
        Error = errno;
    if (Error == 0 && ::fsync(Fd) != 0)
        Error = errno;
    if (::close(Fd) != 0 && Error == 0)
        Error = errno;
    if (Error == 0)
        Error = RenameNew(Temp, FileName, Replace);
    if (Error != 0) {
        ::unlink(Temp.c_str());
        return SystemError(Error);
    }
    SyncFolder(Folder);
    return {};
}

} // namespace

std::error_code WriteFileSafely(const std::string& Name, std::string_view Bytes) {
    if (Name.empty())
        return TStorageError::NoFileName;
    // Renaming over a symbolic link would replace the link, not the file it names.
    std::string FileName = Name;
    struct stat Link {};
    if (::lstat(Name.c_str(), &Link) == 0 && S_ISLNK(Link.st_mode)) {
        if (char* Real = ::realpath(Name.c_str(), nullptr)) {
            FileName = Real;
            std::free(Real);
        }
    }
    mode_t Mode = DefaultMode();
    struct stat St {};
    if (::stat(FileName.c_str(), &St) == 0) {
        if (S_ISDIR(St.st_mode))
            return SystemError(EISDIR);
        Mode = St.st_mode & 07777;
    }
    return WriteAndRename(FileName, Bytes, Mode, true);
}

std::error_code CreateFileSafely(const std::string& FileName, std::string_view Bytes) {
    if (FileName.empty())
        return TStorageError::NoFileName;
    return WriteAndRename(FileName, Bytes, DefaultMode(), false);
}

void SyncFolder(const std::string& Folder) {
    // A rename or removal only lasts once the folder entry is on disk.
    const int Dir =
        ::open(Folder.empty() ? "." : Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Dir >= 0) {
        ::fsync(Dir);
        ::close(Dir);
    }
}

void RemoveLeftoverTemporaries(const std::string& FileName) {
    const std::string Folder = FolderOf(FileName);
    const std::string Prefix =
        (Folder.empty() ? FileName : FileName.substr(FileName.rfind('/') + 1)) + TemporaryInfix;
    DIR* Dir = ::opendir(Folder.empty() ? "." : Folder.c_str());
    if (!Dir)
        return;
    while (const dirent* Entry = ::readdir(Dir)) {
        const std::string_view Name = Entry->d_name;
        if (Name.size() != Prefix.size() + 6 || Name.substr(0, Prefix.size()) != Prefix)
            continue;
        bool Ours = true;
        for (const char C : Name.substr(Prefix.size()))
            Ours = Ours &&
                   ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9'));
        const std::string Path =
            Folder.empty() ? std::string(Name) : Folder + "/" + std::string(Name);
        struct stat St {};
        if (Ours && ::lstat(Path.c_str(), &St) == 0 && S_ISREG(St.st_mode))
            ::unlink(Path.c_str());
    }
    ::closedir(Dir);
}

void SetDriveTypeQuery(TDriveTypeQuery Query) {
    DriveTypeQuery() = std::move(Query);
}

int GetDriveType(const std::string& Root) {
    if (DriveTypeQuery())
        return DriveTypeQuery()(Root);
    return dtNoRootDir;
}

} // namespace kumoji
