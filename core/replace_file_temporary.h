// core/replace_file_temporary.h — the temporary files through which replace_file writes, and the file
// operations it shares with them. For core/replace_file*.cpp only.
#pragma once

#include <string>
#include <sys/types.h>

namespace replace_file_parts
{

// The folder of a path, without its last "/": "." for a bare name, "/" for a name at the root.
std::string folder_of(const std::string& path);

// The name pattern of the temporary files: ".cuvelo-" and six letters or digits.
bool is_temporary_name(const std::string& name);

// Writes all `size` bytes at `offset`; false with errno set.
bool write_all(int fd, const char* data, size_t size, off_t offset);

// Makes the file's content durable (a file system without fsync counts as done); false with errno set.
bool sync_file(int fd);

// Makes the folder's entries durable; a failure here loses nothing already renamed.
void sync_folder(const std::string& folder);

// Removes the temporary files that interrupted saves left in the folder: only ours (name, owner), regular,
// a minute old, and not locked by a save still running (every save holds a lock on its temporary file).
void remove_stale_temporaries(const std::string& folder);

// The temporary file of one save: closed, and removed unless it was renamed into place, on every way out.
class TemporaryFile
{
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    // An unnamed file in `folder` where the file system allows it, so that a save killed before the rename
    // leaves nothing; otherwise a named one. Locked at once, so no other save takes it for a stale one.
    // False with errno set when the folder takes no new file.
    bool create(const std::string& folder);

    int fd() const
    {
        return fd_;
    }

    // Gives the file the target's name; false with errno set.
    bool rename_to(const std::string& target);

    // Gives the file the target's name only if nothing has it yet; false with errno set (EEXIST then).
    bool name_if_absent(const std::string& target);

  private:
    bool link_unnamed();

    int fd_ = -1;
    std::string name_;
    std::string folder_;
};

} // namespace replace_file_parts
