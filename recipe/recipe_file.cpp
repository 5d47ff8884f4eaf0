// recipe/recipe_file.cpp — writes and reads ".cvl" recipe files; a save replaces a file only once complete.
#include "recipe/recipe_file.h"

#include "core/text.h"
#include "core/workspace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static bool ends_with_cvl(const std::string& path)
{
    return path.size() >= 4 && path.compare(path.size() - 4, 4, ".cvl") == 0;
}

// The file system path: every backslash taken as a slash, as for every file the program opens.
static std::string unix_path(const std::string& path)
{
    std::string result = path;
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

// The file the rename must replace: a symbolic link is followed, so the link itself stays a link.
static std::string rename_target(const std::string& path)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* real = realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string result = real;
    std::free(real);
    return result;
}

// The mode the file would get from a plain open for writing: the old file's, or 0666 less the umask.
static mode_t mode_for(const std::string& target)
{
    struct stat info;
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

static void write_recipe_lines(FILE* file)
{
    write_text_line(file, "TITRE\t" + ws.title);
    const StyleEntry& s = ws.style;
    std::string style = "STYLE\t";
    for (const std::string* field :
         {&s.category, &s.name, &s.og_min, &s.og_max, &s.fg_min, &s.fg_max, &s.ebc_min, &s.ebc_max,
          &s.ibu_min, &s.ibu_max, &s.picture, &s.description})
        style += *field + "\t";
    write_text_line(file, style);
    write_text_line(file, "CARBONATATION\t" + ws.carbonation);
    write_text_line(file, "FORCER_VOLUME\t" + number_to_text(ws.forced_volume));
    for (int i = 1; i <= ws.line_count; i++) {
        const RecipeLine& l = ws.lines[i];
        write_text_line(file, l.category + "\t" + l.picture + "\t" + l.designation + "\t" + l.quantity +
                                  "\t" + l.value + "\t" + l.yield + "\t" + l.time + "\t" + l.step + "\t" +
                                  l.price);
    }
}

static std::string folder_of(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The folder's entry for the new name is made durable too; a failure here loses nothing already renamed.
static void sync_folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

bool save_recipe(const std::string& path)
{
    const std::string name = ends_with_cvl(path) ? path : path + ".cvl";
    const std::string target = rename_target(unix_path(name));
    // A file the user may not write stays as it is, as it would with a plain open for writing.
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0)
        return false;

    // A short name of its own in the target's folder, so that the rename stays within one file system and a
    // target name near the length limit still leaves room for it.
    const std::string folder = folder_of(target);
    std::string temporary = folder + "/.cuvelo-XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0)
        return false;
    FILE* file = fdopen(fd, "w");
    if (!file) {
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    write_recipe_lines(file);
    bool written = std::fflush(file) == 0 && !std::ferror(file);
    written = written && fchmod(fd, mode_for(target)) == 0;
    written = written && (fsync(fd) == 0 || errno == EINVAL); // EINVAL: a file system without fsync
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    sync_folder(folder);
    ws.file_name = name;
    return true;
}

// One line of a recipe file: a keyword line sets its member (a later one wins), any other is a recipe line.
static void apply_recipe_line(const std::string& line)
{
    const std::string key = tab_field(line, 1);
    if (key == "STYLE") {
        StyleEntry& s = ws.style;
        int n = 2;
        for (std::string* field :
             {&s.category, &s.name, &s.og_min, &s.og_max, &s.fg_min, &s.fg_max, &s.ebc_min, &s.ebc_max,
              &s.ibu_min, &s.ibu_max, &s.picture, &s.description})
            *field = tab_field(line, n++);
    } else if (key == "CARBONATATION") {
        ws.carbonation = tab_field(line, 2);
    } else if (key == "TITRE") {
        ws.title = tab_field(line, 2);
    } else if (key == "FORCER_VOLUME") {
        ws.forced_volume = text_to_number(tab_field(line, 2));
    } else {
        add_recipe_line(tab_field(line, 2), key, tab_field(line, 3), tab_field(line, 4), tab_field(line, 5),
                        tab_field(line, 6), tab_field(line, 7), tab_field(line, 8), tab_field(line, 9));
    }
}

bool load_recipe(const std::string& path)
{
    // The whole file is read before anything changes, so a file that cannot be opened or read (a folder,
    // a failing disk) leaves the recipe on screen as it was.
    FILE* file = open_text_file(path, "r");
    if (!file)
        return false;
    std::vector<std::string> lines;
    std::string line;
    while (read_text_line(file, line))
        lines.push_back(line);
    const bool read_failed = std::ferror(file) != 0;
    std::fclose(file);
    if (read_failed)
        return false;

    ws.line_count = 0;
    ws.selected_line = 0;
    for (const std::string& text : lines)
        apply_recipe_line(text);
    ws.file_name = path;
    ws.volume_forced = ws.forced_volume > 0 ? 1 : 0;
    return true;
}
