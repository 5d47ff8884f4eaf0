// recipe/formats/recipe_format.cpp — the format of a file by its first bytes, and its reader.
#include "recipe/formats/recipe_format.h"

#include "recipe/formats/beerjson_read.h"
#include "recipe/formats/beerxml_read.h"
#include "recipe/formats/cvl.h"

#include <glib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The first bytes of a regular file, read without blocking; "" when there are none.
static std::string first_bytes(const std::string& path)
{
    // Without blocking, and regular files only: a FIFO or a device is the recipe reader's to refuse.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    struct stat info;
    char buffer[512];
    ssize_t n = -1;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        n = read(fd, buffer, sizeof buffer);
    close(fd);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

RecipeFormat format_of_file(const std::string& path)
{
    const std::string start = first_bytes(path);
    size_t p = start.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    // Blanks, and the comments some programs write before their JSON ("//" lines, "/* … */").
    for (;;) {
        while (p < start.size() && g_ascii_isspace(start[p]))
            p++;
        if (start.compare(p, 2, "//") != 0 && start.compare(p, 2, "/*") != 0)
            break;
        const size_t end = start[p + 1] == '/' ? start.find('\n', p) : start.find("*/", p + 2);
        if (end == std::string::npos)
            return RecipeFormat::json; // the comment runs past the first bytes: the JSON reader decides
        p = end + (start[p + 1] == '/' ? 1 : 2);
    }
    const bool utf16 = start.compare(0, 2, "\xFF\xFE") == 0 || start.compare(0, 2, "\xFE\xFF") == 0;
    if (utf16 || (p < start.size() && start[p] == '<'))
        return RecipeFormat::beerxml;
    if (p < start.size() && start[p] == '{')
        return start.find("\"beerjson\"") != std::string::npos ? RecipeFormat::beerjson : RecipeFormat::json;
    if (start.compare(0, 15, "SQLite format 3") == 0)
        return RecipeFormat::sqlite;
    return RecipeFormat::cvl;
}

OpenedFile open_any_recipe_file(const std::string& path, const Recipe& base)
{
    OpenedFile file;
    file.format = format_of_file(path);
    switch (file.format) {
    case RecipeFormat::cvl:
        file.recipe = base;
        file.read = read_cvl_file(path, file.recipe, &file.why);
        break;
    case RecipeFormat::beerjson:
    case RecipeFormat::json:
        // Whatever its first bytes, a JSON file is BeerJSON by its "beerjson" member; the reader names any
        // other JSON.
        file.read = read_beerjson_file(path, &file.foreign, &file.why);
        break;
    case RecipeFormat::beerxml:
    case RecipeFormat::sqlite:
        // The BeerXML reader says what a database is, for the brewer to export it as BeerXML.
        file.read = read_beerxml_file(path, &file.foreign, &file.why);
        break;
    }
    return file;
}
