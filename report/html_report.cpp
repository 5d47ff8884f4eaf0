// report/html_report.cpp — writes the recipe as an HTML page and shows it; deletes only the page it wrote.
#include "report/html_report.h"

#include "calc/cost.h"
#include "calc/format.h"
#include "calc/priming.h"
#include "core/data_folders.h"
#include "core/text.h"
#include "core/workspace.h"
#include "report/browser.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

std::string html_escape(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

static std::string f2(double x)
{
    return format_decimals(x, 2);
}

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

// The picture's address stays relative for the working folder's pictures and for pictures in the "images/"
// folder beside the page; a picture of the shared folder is named by its own file address.
static std::string image_tag(const std::string& picture, const std::string& folder)
{
    const std::string file = picture_file(picture);
    const std::string beside_page = folder + "/images/";
    if (g_path_is_absolute(file.c_str()) && file.compare(0, beside_page.size(), beside_page) != 0) {
        gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
        if (uri) {
            std::string tag = "<img src='" + html_escape(uri) + "'>";
            g_free(uri);
            return tag;
        }
    }
    return "<img src='./images/" + html_escape(picture) + ".png'>";
}

// The page's lines, in their fixed order; false when a write failed.
static bool write_report_lines(FILE* file, const std::string& folder)
{
    const StyleEntry& style = ws.style;
    const Estimates& e = ws.estimates;
    write_text_line(file, "<html><head><title>Cuvelo : Créateur de recette de bière</title><meta "
                          "http-equiv='content-type' content='text/html; charset=utf-8' /></head><body>");
    write_text_line(file, "<h2>Cuvelo : Créateur de recette de bière</h2>");
    write_text_line(file, "<h3>Recette : " + html_escape(ws.title) + "</h3>");
    write_text_line(file, "( " + html_escape(ws.file_base_name) + " )<br>");
    write_text_line(file, "<h3>Style :</h3>");
    write_text_line(file, image_tag(style.picture, folder) + "<br><br>");
    write_text_line(file, html_escape(style.category) + " - " + html_escape(style.name) + "<br><br>");
    write_text_line(file, html_escape(style.description) + "<br><br>");
    write_text_line(file, "Densité Initiale : " + html_escape(style.og_min) + " - " +
                              html_escape(style.og_max) + "<br>");
    write_text_line(file, "Densité Finale : " + html_escape(style.fg_min) + " - " +
                              html_escape(style.fg_max) + "<br>");
    write_text_line(file,
                    "Couleur : " + html_escape(style.ebc_min) + " - " + html_escape(style.ebc_max) + "<br>");
    write_text_line(file,
                    "Amertume : " + html_escape(style.ibu_min) + " - " + html_escape(style.ibu_max) + "<br>");
    write_text_line(file, "<h3>Ingrédients :</h3>");
    for (int32_t i = 1; i <= ws.line_count; i++) {
        const RecipeLine& line = ws.lines[i];
        write_text_line(file, image_tag(line.picture, folder) + " " + html_escape(line.quantity) + " " +
                                  html_escape(line.designation) + " " + html_escape(line.value) + " " +
                                  html_escape(line.yield) + " " + html_escape(line.time) + " " +
                                  html_escape(line.step) + "<br>");
    }
    write_text_line(file, "<h3>Estimations :</h3>");
    write_text_line(file, "Volume final : " + f2(e.final_volume) + " L<br>");
    write_text_line(file, "Eau pour l'empâtage : " + f2(e.mash_water) + " L<br>");
    write_text_line(file, "Eau pour le rinçage : " + f2(e.rinse_water) + " L<br>");
    write_text_line(file, "Malt : " + f2(e.malt_kg) + " KG<br>");
    write_text_line(file, "Houblon : " + f2(1000 * e.hop_kg) + " G<br>");
    write_text_line(file, "Densité Initiale : " + f2(e.initial_density) + "<br>");
    write_text_line(file, "Densité Finale : " + f2(e.final_density) + "<br>");
    write_text_line(file, "Alcool : " + f2(e.alcohol) + " %VOL<br>");
    write_text_line(file, "Couleur : " + f2(e.colour_ebc) + " EBC<br>");
    write_text_line(file, "Amerture : " + f2(e.bitterness_ibu) + " IBU<br>");
    write_text_line(file, "<br>Prix de revient : " + f2(recipe_cost()) + " €<br>");
    priming_text(); // only its per-litre values are printed
    write_text_line(file, "<br>Carbonatation : " + html_escape(ws.carbonation) + "<br>");
    write_text_line(file, "- Sucre : " + f2(ws.estimates.sugar_per_litre) + " G/L" + "<br>");
    write_text_line(file, "- Extrait : " + f2(ws.estimates.extract_per_litre) + " G/L" + "<br>");
    write_text_line(file, "<br><br></body></html>");
    return !std::ferror(file);
}

bool write_html_report_file(const std::string& path)
{
    FILE* file = open_text_file(path, "w");
    if (!file)
        return false;
    bool written = write_report_lines(file, page_folder(path));
    return std::fclose(file) == 0 && written;
}

// The report this process wrote, so that it deletes that file and no other.
static bool report_written = false;
static std::string report_path;
static struct stat report_stat;
static std::string unwritten_path;

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

bool write_html_report(std::string& failed_command)
{
    failed_command.clear();
    unwritten_path.clear();
    std::string path = html_report_path();
    if (path.empty()) {
        unwritten_path = "recette.html"; // the working directory is gone
        return false;
    }
    if (report_written && report_path != path)
        remove_html_report(); // the working directory changed: the old page is not replaced by this one

    // Opened as is, not through open_text_file: a backslash in the folder's name is part of it.
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        unwritten_path = path;
        return false;
    }
    static bool removal_at_exit = false;
    if (!removal_at_exit)
        removal_at_exit = std::atexit(remove_html_report) == 0; // should a way out forget to call it
    bool written = write_report_lines(file, page_folder(path));
    written = std::fclose(file) == 0 && written;
    struct stat state;
    report_written = lstat(path.c_str(), &state) == 0 && S_ISREG(state.st_mode);
    report_path = path;
    report_stat = state;
    if (!written) {
        remove_html_report(); // a cut page is of no use to anyone
        unwritten_path = path;
        return false;
    }
    // The page stays until the next report or the end of the program: a browser that hands it to an
    // already running one returns before the page is read.
    std::string folder = path.substr(0, path.rfind('/'));
    return launch_browser(page_argument(folder, "recette.html"), failed_command);
}
