// tests/gui/gui_main.cpp — starts GTK, lays out the fixture folder and builds the main window as start-up
// does.
#include "gui_support.h"

#include "ui/french_messages.h"
#include "ui/startup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

static std::string g_fixture_folder;

const std::string& fixture_folder()
{
    return g_fixture_folder;
}

static void copy_file(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
}

// One plain square picture per name, each of its own colour, so screenshots tell them apart.
static void make_pictures(const std::string& folder)
{
    static const char* const names[] = {
        "nouveau",     "ouvrir",        "enregistrer", "html",          "style",    "eau",    "malt1",
        "houbloncone", "sucre",         "levure",      "fonction",      "modifier", "monter", "descendre",
        "supprimer",   "trier",         "volume",      "carbonatation", "prix",     "titre",  "aide",
        "malt2",       "houblonpellet", "style0",      "style1",        "style2",   "style3", "style4",
        "style5",      "style6",        "detail",      "echelle",     "cible"};
    guint32 colour = 0x3366cc;
    for (const char* name : names) {
        GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 24, 24);
        gdk_pixbuf_fill(pixbuf, (colour << 8) | 0xff);
        gdk_pixbuf_save(pixbuf, (folder + "/" + name + ".png").c_str(), "png", nullptr, nullptr);
        g_object_unref(pixbuf);
        colour = (colour * 2654435761u + 0x9e3779u) & 0xffffff;
    }
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    char folder[] = "/tmp/cuvelo-gui-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    g_fixture_folder = folder;
    // The file chooser records recent files under the user's data folder: keep that inside the fixture.
    setenv("XDG_DATA_HOME", (g_fixture_folder + "/data-home").c_str(), 1);
    g_mkdir_with_parents((g_fixture_folder + "/data-home").c_str(), 0755);
    gtk_disable_setlocale();
    use_french_messages();
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fprintf(stderr, "no display: run the GUI tests under xvfb-run\n");
        return 1;
    }
    g_mkdir_with_parents((g_fixture_folder + "/bases").c_str(), 0755);
    g_mkdir_with_parents((g_fixture_folder + "/images").c_str(), 0755);
    g_mkdir_with_parents((g_fixture_folder + "/recettes").c_str(), 0755);
    for (const char* file : {"configuration.txt", "ingredients.txt", "styles.txt"})
        copy_file(std::string(CUVELO_GUI_TEST_DATA) + "/bases/" + file, g_fixture_folder + "/bases/" + file);
    make_pictures(g_fixture_folder + "/images");
    if (chdir(folder) != 0)
        return 1;

    start_up();
    install_test_hooks();
    drain_events();
    const int status = RUN_ALL_TESTS();
    std::system(("rm -rf '" + g_fixture_folder + "'").c_str());
    return status;
}
