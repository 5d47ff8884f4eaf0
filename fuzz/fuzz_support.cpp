// fuzz/fuzz_support.cpp — the private working folder of a fuzz process, whole-file I/O and the failure exit.
#include "fuzz_support.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <string>
#include <unistd.h>

static std::string private_folder;

static int remove_entry(const char* path, const struct stat*, int, struct FTW*)
{
    return std::remove(path);
}

// The folder goes when the fuzzer ends normally; after a finding it stays, with the files of that input.
static void remove_private_folder()
{
    if (chdir("/") == 0)
        nftw(private_folder.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

void enter_private_folder()
{
    if (!private_folder.empty())
        return;
    gchar* folder = g_dir_make_tmp("cuvelo-fuzz-XXXXXX", nullptr);
    if (!folder || chdir(folder) != 0 || g_mkdir("bases", 0755) != 0)
        std::abort();
    private_folder = folder;
    g_free(folder);
    std::atexit(remove_private_folder);
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
    // Whole words only: "infusion", "Nantes" or "infâtage" are texts, not numbers; a byte of a UTF-8
    // letter belongs to its word.
    const auto in_word = [](char c) { return g_ascii_isalpha(c) || (static_cast<unsigned char>(c) & 0x80); };
    for (size_t i = 0; i < text.size();) {
        if (!in_word(text[i])) {
            i++;
            continue;
        }
        size_t end = i;
        while (end < text.size() && in_word(text[end]))
            end++;
        std::string word = text.substr(i, end - i);
        for (char& c : word)
            c = g_ascii_tolower(c);
        if (word == "nan" || word == "inf" || word == "infinity")
            return true;
        i = end;
    }
    return false;
}

void property_failed(const char* what, const std::string& text)
{
    std::fprintf(stderr, "\nPROPERTY FAILED: %s\n[", what);
    const std::string shown = text.substr(0, 4000);
    std::fwrite(shown.data(), 1, shown.size(), stderr);
    std::fprintf(stderr, "]\n");
    std::abort();
}
