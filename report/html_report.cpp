// report/html_report.cpp — the report file: written whole, shown, and deleted only if it is still ours.
#include "report/html_report.h"

#include "core/data_folders.h"
#include "core/replace_file.h"
#include "core/system_reason.h"
#include "report/browser.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

// The absolute folder of a page path.
static std::string page_folder(const std::string& page)
{
    gchar* folder = g_path_get_dirname(page.c_str());
    std::string absolute = folder;
    g_free(folder);
    if (!g_path_is_absolute(absolute.c_str())) {
        gchar* cwd = g_get_current_dir();
        absolute = std::string(cwd) + "/" + absolute;
        g_free(cwd);
    }
    return absolute;
}

// A picture's address stays relative for the working folder's pictures and for pictures in the "images/"
// folder beside the page; a picture of the shared folder is named by its own file address.
static std::string picture_address(const std::string& picture, const std::string& folder)
{
    const std::string file = picture_file(picture);
    const std::string beside_page = folder + "/images/";
    if (g_path_is_absolute(file.c_str()) && file.compare(0, beside_page.size(), beside_page) != 0) {
        gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
        if (uri) {
            std::string address = uri;
            g_free(uri);
            return address;
        }
    }
    return "./images/" + picture + ".png";
}

// The page of the report, to be written at `path`.
static std::string page_at(const std::string& path, const RecipeReport& report)
{
    const std::string folder = page_folder(path);
    return report_page(report,
                       [&folder](const std::string& picture) { return picture_address(picture, folder); });
}

bool write_html_report_file(const std::string& path, const RecipeReport& report, std::string* why)
{
    std::string unix_path = path;
    for (char& c : unix_path)
        if (c == '\\')
            c = '/';
    return replace_file(unix_path, page_at(unix_path, report), why, LinkPolicy::replace);
}

// The report this process wrote, so that it deletes that file and no other.
static bool report_written = false;
static std::string report_path;
static struct stat report_stat;
static std::string unwritten_path;
static std::string unwritten_reason;

std::string html_report_path()
{
    std::string folder = data_folders().report;
    if (folder.empty()) {
        char* cwd = getcwd(nullptr, 0);
        folder = cwd ? cwd : "";
        std::free(cwd);
    }
    if (folder.empty())
        return "";
    if (folder.back() != '/')
        folder += '/';
    return folder + "recette.html";
}

std::string unwritten_report_path()
{
    return unwritten_path;
}

std::string unwritten_report_reason()
{
    return unwritten_reason;
}

static bool same_file_state(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

void remove_html_report()
{
    if (!report_written)
        return;
    report_written = false;
    // Another program (or another Cuvelo) may have put its own file there since: leave that one alone.
    struct stat now;
    if (lstat(report_path.c_str(), &now) == 0 && same_file_state(now, report_stat))
        std::remove(report_path.c_str());
}

bool write_html_report(const RecipeReport& report, std::string& failed_command)
{
    failed_command.clear();
    unwritten_path.clear();
    unwritten_reason.clear();
    std::string path = html_report_path();
    if (path.empty()) {
        unwritten_path = "recette.html"; // the working directory is gone
        unwritten_reason = system_reason(ENOENT);
        return false;
    }
    if (report_written && report_path != path)
        remove_html_report(); // the working directory changed: the old page is not replaced by this one

    // The name itself is replaced: a link there never leads the page onto another file, and a FIFO or a
    // device there is left alone. The path is used as is: a backslash in the folder's name is part of it.
    if (!replace_file(path, page_at(path, report), &unwritten_reason, LinkPolicy::replace)) {
        unwritten_path = path;
        return false;
    }
    static bool removal_at_exit = false;
    if (!removal_at_exit)
        removal_at_exit = std::atexit(remove_html_report) == 0; // should a way out forget to call it
    struct stat state;
    report_written = lstat(path.c_str(), &state) == 0 && S_ISREG(state.st_mode);
    report_path = path;
    report_stat = state;
    // The page stays until the next report or the end of the program: a browser that hands it to an
    // already running one returns before the page is read.
    std::string folder = path.substr(0, path.rfind('/'));
    return launch_browser(report.settings.browser, page_argument(folder, "recette.html"), failed_command);
}
