// core/replace_file.h — writes a whole file so that a failed write never leaves it cut, emptied or lost.
#pragma once

#include <string>

// What a link at the target's name means for a write.
enum class LinkPolicy {
    write_through, // a symbolic link is followed and a hard-linked file written in place, as a plain write
    replace,       // the name itself gets the new file; what a link pointed to is never touched
};

// Writes `bytes` as the file `path`. They go to a temporary file in the same folder (unnamed where the file
// system has O_TMPFILE), made durable, then renamed over the target, keeping its mode, owner and group. With
// LinkPolicy::write_through a symbolic link is followed (a dangling one gets its target created), and a
// target with several hard links, or whose owner cannot be kept, is written in place. So is a target the
// user may write in a folder that takes no temporary file (one the user may not write). Before an in-place
// write the old content is kept whole in "<target>~" when the folder allows it, until the new content is
// durable; then that copy is removed (a write that fails halfway keeps it and names it in `why`). An existing
// target that is not a regular file, or that the user may not write, is left alone. Stale temporary files
// of an interrupted save are removed from the folder first. False on failure, no temporary file left;
// `why` (when not null) then gets a French reason.
bool replace_file(const std::string& path, const std::string& bytes, std::string* why,
                  LinkPolicy links = LinkPolicy::write_through);

// Writes `bytes` as a new file `path`, whole or not at all: through a temporary file in the same folder,
// made durable, then given the name only if nothing has it yet, so that an existing file, even one made at
// the same moment, is never touched. False on failure ("le fichier existe déjà" when the name is taken), no
// temporary file left; `why` (when not null) then gets a French reason.
bool create_new_file(const std::string& path, const std::string& bytes, std::string* why);

// The name pattern of the temporary files: ".cuvelo-" and six letters or digits.
bool is_temporary_file_name(const std::string& name);
