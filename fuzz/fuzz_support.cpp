// fuzz/fuzz_support.cpp — the private working folder of a fuzz process, whole-file I/O and the failure exit.
#include "fuzz_support.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

void enter_private_folder()
{
    static bool entered = false;
    if (entered)
        return;
    entered = true;
    gchar* folder = g_dir_make_tmp("cuvelo-fuzz-XXXXXX", nullptr);
    if (!folder || chdir(folder) != 0 || g_mkdir("bases", 0755) != 0)
        std::abort();
    g_free(folder);
}

void write_input(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    if (std::fclose(file) != 0)
        std::abort();
}

std::string read_whole_file(const std::string& path)
{
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        return std::string();
    std::string text(contents, length);
    g_free(contents);
    return text;
}

bool holds_non_number(const std::string& text)
{
    for (size_t i = 0; i + 3 <= text.size(); i++) {
        const std::string three = {g_ascii_tolower(text[i]), g_ascii_tolower(text[i + 1]),
                                   g_ascii_tolower(text[i + 2])};
        if (three == "nan" || three == "inf")
            return true;
    }
    return false;
}

void property_failed(const char* what, const std::string& text)
{
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n[%s]\n", what, text.substr(0, 2000).c_str());
    std::abort();
}
