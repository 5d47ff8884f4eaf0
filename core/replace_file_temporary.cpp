// core/replace_file_temporary.cpp — the temporary files of whole-file writes: made beside the target,
// locked, renamed into place, and removed once an interrupted save left them stale.
#include "core/replace_file_temporary.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <glib.h>

namespace
{

const char kTemporaryPrefix[] = ".cuvelo-";
const size_t kTemporaryPrefixLength = sizeof kTemporaryPrefix - 1;
// A temporary file this old, that no process holds, is what an interrupted save left behind.
const time_t kStaleSeconds = 60;

} // namespace

namespace replace_file_parts
{

bool is_temporary_name(const std::string& name)
{
    if (name.size() != kTemporaryPrefixLength + 6 ||
        name.compare(0, kTemporaryPrefixLength, kTemporaryPrefix) != 0)
        return false;
    for (size_t i = kTemporaryPrefixLength; i < name.size(); i++) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

std::string folder_of(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool write_all(int fd, const char* data, size_t size, off_t offset)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool sync_file(int fd)
{
    return fsync(fd) == 0 || errno == EINVAL; // EINVAL: a file system without fsync
}

void sync_folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

void remove_stale_temporaries(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    const int dir_fd = dirfd(dir);
    const time_t now = std::time(nullptr);
    while (dirent* entry = readdir(dir)) {
        if (!is_temporary_name(entry->d_name))
            continue;
        const int fd = openat(dir_fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info, named;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
            now - info.st_mtime >= kStaleSeconds && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            fstatat(dir_fd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == info.st_ino &&
            named.st_dev == info.st_dev)
            unlinkat(dir_fd, entry->d_name, 0);
        close(fd);
    }
    closedir(dir);
}

TemporaryFile::~TemporaryFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!name_.empty())
        unlink(name_.c_str());
}

bool TemporaryFile::create(const std::string& folder)
{
    folder_ = folder;
#ifdef O_TMPFILE
    // Naming it later goes through /proc: without /proc, the file is named from the start.
    fd_ = access("/proc/self/fd", X_OK) == 0 ? open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)
                                             : -1;
    if (fd_ >= 0) {
        flock(fd_, LOCK_EX | LOCK_NB);
        return true;
    }
    // Otherwise a kernel or file system without it, or a folder error that mkostemp meets again.
#endif
    // A short name of its own, so that a target name near the length limit still leaves room for it.
    std::string name = folder + "/" + kTemporaryPrefix + "XXXXXX";
    fd_ = mkostemp(&name[0], O_CLOEXEC);
    if (fd_ < 0)
        return false;
    name_ = name;
    flock(fd_, LOCK_EX | LOCK_NB);
    return true;
}

bool TemporaryFile::rename_to(const std::string& target)
{
    if (name_.empty() && !link_unnamed())
        return false;
    if (std::rename(name_.c_str(), target.c_str()) != 0)
        return false;
    name_.clear();
    return true;
}

bool TemporaryFile::name_if_absent(const std::string& target)
{
    if (name_.empty()) {
        // An unnamed file: linking it fails when the name is taken.
        const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
        return linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }
    if (renameat2(AT_FDCWD, name_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        name_.clear();
        return true;
    }
    // A file system without that rename: a hard link fails as well when the name is taken, and the
    // temporary name goes with this object.
    return errno == EINVAL && link(name_.c_str(), target.c_str()) == 0;
}

// An unnamed file gets a name of the temporary pattern only for the instant before its rename.
bool TemporaryFile::link_unnamed()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; attempt++) {
        std::string name = folder_ + "/" + kTemporaryPrefix;
        for (int i = 0; i < 6; i++)
            name += kLetters[g_random_int_range(0, sizeof kLetters - 1)];
        if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            name_ = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

} // namespace replace_file_parts
