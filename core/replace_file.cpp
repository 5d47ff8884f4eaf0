// core/replace_file.cpp — complete-or-nothing file writes: temporary file, fsync, rename; links and owners
// kept.
#include "core/replace_file.h"

#include "core/replace_file_temporary.h"
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

using namespace replace_file_parts;

namespace
{

// The old content of a file written in place waits under its name and this suffix.
const char kBackupSuffix[] = "~";

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

// Copies the open file `from` into `to` from the start; false with errno set.
bool copy_content(int from, int to)
{
    char buffer[1 << 16];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = pread(from, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!write_all(to, buffer, static_cast<size_t>(n), offset))
            return false;
        offset += n;
    }
}

// The backup is this user's file: it keeps the old mode only when the old file has the same owner and group,
// so that no other group gains a way to read it.
mode_t backup_mode(const struct stat& old)
{
    return old.st_uid == geteuid() && old.st_gid == getegid() ? old.st_mode & 0777 : 0600;
}

// Keeps the old content of `target` as "<target>~", whole and durable before a byte of the target changes:
// written to a temporary file, synced and renamed. False when it cannot be made (a folder that takes no new
// file, a folder at that name, no room); the caller then writes without it.
bool keep_backup(const std::string& target, const struct stat& old)
{
    const int source = open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (source < 0)
        return false;
    struct stat info;
    TemporaryFile copy;
    const bool kept = fstat(source, &info) == 0 && info.st_ino == old.st_ino && info.st_dev == old.st_dev &&
                      copy.create(folder_of(target)) && copy_content(source, copy.fd()) &&
                      fchmod(copy.fd(), backup_mode(old)) == 0 && sync_file(copy.fd()) &&
                      copy.rename_to(target + kBackupSuffix);
    close(source);
    if (kept)
        sync_folder(folder_of(target));
    return kept;
}

// Writes over the existing file itself, so that its other names, its owner and its group stay with it.
// The old content is kept in the backup first, and the new size reserved: a full disk then fails before a
// single old byte changes. The backup is removed once the new content is durable; a write that fails
// halfway keeps it and says so.
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
    const bool backup = written && keep_backup(target, old);
    if (written && !bytes.empty()) {
        const int error = posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
        written = error == 0;
        if (!written)
            errno = error;
    }
    const bool reserved = written; // until here no byte of the old content has changed
    written = written && write_all(fd, bytes.data(), bytes.size(), 0) &&
              ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && sync_file(fd);
    const int error = errno;
    written = close(fd) == 0 && written;
    const std::string backup_name = target + kBackupSuffix;
    if (backup && (written || !reserved) && unlink(backup_name.c_str()) == 0)
        sync_folder(folder_of(target));
    if (written)
        return true;
    if (backup && reserved)
        return fail(why, system_reason(error) + " ; l'ancien contenu est gardé dans « " + backup_name + " »");
    return fail_errno(why, error);
}

const char kNotRegular[] = "ce n'est pas un fichier ordinaire";

} // namespace

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
    if (!temporary.create(folder)) {
        // A file the user may write in a folder that takes no new file: written in place, as a plain write
        // would be; a name with other links is never written through under LinkPolicy::replace.
        const int error = errno;
        if (regular && (links == LinkPolicy::write_through || old.st_nlink == 1))
            return write_in_place(target, old, bytes, why);
        return fail_errno(why, error);
    }
    const int fd = temporary.fd();
    if (!write_all(fd, bytes.data(), bytes.size(), 0))
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

bool create_new_file(const std::string& path, const std::string& bytes, std::string* why)
{
    ignore_file_size_signal();
    const std::string folder = folder_of(path);
    remove_stale_temporaries(folder);
    TemporaryFile temporary;
    if (!temporary.create(folder))
        return fail_errno(why, errno);
    const int fd = temporary.fd();
    if (!write_all(fd, bytes.data(), bytes.size(), 0) || fchmod(fd, new_file_mode()) != 0 || !sync_file(fd) ||
        !temporary.name_if_absent(path))
        return fail_errno(why, errno);
    sync_folder(folder);
    return true;
}

bool is_temporary_file_name(const std::string& name)
{
    return replace_file_parts::is_temporary_name(name);
}
