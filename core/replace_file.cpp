// core/replace_file.cpp — complete-or-nothing file writes: temporary file, fsync, rename; links and owners
// kept.
#include "core/replace_file.h"

#include "core/system_reason.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
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

bool fail(std::string* why, const std::string& reason)
{
    if (why)
        *why = reason;
    return false;
}

bool fail_errno(std::string* why, int error)
{
    return fail(why, system_reason(error));
}

std::string folder_of(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A write past the file size limit would otherwise end the process and lose the recipe on screen; ignored,
// it fails with EFBIG like a full disk.
void ignore_file_size_signal()
{
    struct sigaction current;
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

// The file a chain of symbolic links ends at (possibly missing: a dangling link), relative links read
// from their own folder. False with errno set on a loop or an unreadable link.
bool follow_links(const std::string& path, std::string& end)
{
    std::string current = path;
    for (int hops = 0; hops < 40; hops++) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            end = current;
            return true;
        }
        char text[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), text, sizeof text);
        if (length < 0)
            return false;
        if (static_cast<size_t>(length) >= sizeof text) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string link(text, static_cast<size_t>(length));
        current = link[0] == '/' ? link : folder_of(current) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

bool write_all(int fd, const std::string& bytes, off_t offset)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
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

// The folder's entry for the new name is made durable too; a failure here loses nothing already renamed.
void sync_folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// Removes the temporary files that interrupted saves left in the folder: only ours (name, owner), regular,
// a minute old, and not locked by a save still running (every save holds a lock on its temporary file).
void remove_stale_temporaries(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    const int dir_fd = dirfd(dir);
    const time_t now = std::time(nullptr);
    while (dirent* entry = readdir(dir)) {
        if (!is_temporary_file_name(entry->d_name))
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

// The temporary file of one save: closed, and removed unless it was renamed into place, on every way out.
class TemporaryFile
{
  public:
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            close(fd_);
        if (!name_.empty())
            unlink(name_.c_str());
    }

    // An unnamed file where the file system allows it, so that a save killed before the rename leaves
    // nothing; otherwise a named one. Locked at once, so no other save takes it for a stale one.
    bool create(const std::string& folder)
    {
        folder_ = folder;
#ifdef O_TMPFILE
        // Naming it later goes through /proc: without /proc, the file is named from the start.
        fd_ = access("/proc/self/fd", X_OK) == 0
                  ? open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)
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

    int fd() const
    {
        return fd_;
    }

    // Gives the file the target's name; false with errno set.
    bool rename_to(const std::string& target)
    {
        if (name_.empty() && !link_unnamed())
            return false;
        if (std::rename(name_.c_str(), target.c_str()) != 0)
            return false;
        name_.clear();
        return true;
    }

  private:
    // An unnamed file gets a name of the temporary pattern only for the instant before its rename.
    bool link_unnamed()
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

    int fd_ = -1;
    std::string name_;
    std::string folder_;
};

// The mode a plain open for writing would give a new file: 0666 less the umask.
mode_t new_file_mode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives the temporary file the old file's owner and group; false when the system does not allow it.
bool keep_owner(int fd, const struct stat& old)
{
    struct stat now;
    if (fstat(fd, &now) != 0)
        return false;
    if (now.st_uid == old.st_uid && now.st_gid == old.st_gid)
        return true;
    return fchown(fd, old.st_uid, old.st_gid) == 0;
}

// Writes over the existing file itself, so that its other names, its owner and its group stay with it.
// The new size is reserved first: a full disk then fails before a single old byte changes.
bool write_in_place(const std::string& target, const struct stat& old, const std::string& bytes,
                    std::string* why)
{
    const int fd = open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail_errno(why, errno);
    struct stat info;
    bool written = fstat(fd, &info) == 0 && info.st_ino == old.st_ino && info.st_dev == old.st_dev;
    if (!written)
        errno = EBUSY; // the name was given to another file meanwhile
    if (written && !bytes.empty()) {
        const int error = posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        written = error == 0;
        if (!written)
            errno = error;
    }
    written = written && write_all(fd, bytes, 0) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
              sync_file(fd);
    const int error = errno;
    written = close(fd) == 0 && written;
    return written ? true : fail_errno(why, error);
}

const char kNotRegular[] = "ce n'est pas un fichier ordinaire";

} // namespace

bool is_temporary_file_name(const std::string& name)
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

bool replace_file(const std::string& path, const std::string& bytes, std::string* why, LinkPolicy links)
{
    ignore_file_size_signal();
    std::string target = path;
    if (links == LinkPolicy::write_through && !follow_links(path, target))
        return fail_errno(why, errno);

    struct stat old;
    const bool exists = lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return fail_errno(why, errno);
    const bool regular = exists && S_ISREG(old.st_mode);
    if (exists && !regular && !S_ISLNK(old.st_mode))
        return S_ISDIR(old.st_mode) ? fail_errno(why, EISDIR) : fail(why, kNotRegular);
    // A file the user may not write stays as it is, as it would with a plain open for writing.
    if (regular && access(target.c_str(), W_OK) != 0)
        return fail_errno(why, errno);
    if (regular && links == LinkPolicy::write_through && old.st_nlink > 1)
        return write_in_place(target, old, bytes, why);

    const std::string folder = folder_of(target);
    remove_stale_temporaries(folder);
    TemporaryFile temporary;
    if (!temporary.create(folder))
        return fail_errno(why, errno);
    const int fd = temporary.fd();
    if (!write_all(fd, bytes, 0))
        return fail_errno(why, errno);
    if (regular && !keep_owner(fd, old)) {
        // Replacing the file would hand it to this user: written in place, it stays its owner's.
        if (links == LinkPolicy::write_through)
            return write_in_place(target, old, bytes, why);
    }
    // After the owner: a change of owner clears the set-user-ID and set-group-ID bits.
    if (fchmod(fd, regular ? old.st_mode & 07777 : new_file_mode()) != 0 || !sync_file(fd))
        return fail_errno(why, errno);
    if (!temporary.rename_to(target))
        return fail_errno(why, errno);
    sync_folder(folder);
    return true;
}
