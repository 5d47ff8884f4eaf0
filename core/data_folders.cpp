// core/data_folders.cpp — finds the databases (working folder, brewer's folder, shared folder) and the
// pictures.
#include "core/data_folders.h"

#include "core/replace_file.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

#ifndef CUVELO_SHARED_DATA
#define CUVELO_SHARED_DATA "/usr/share/cuvelo"
#endif

static DataFolders current;

const DataFolders& data_folders()
{
    return current;
}

void use_data_folders(const DataFolders& folders)
{
    current = folders;
}

std::string executable_folder()
{
    std::string buffer(4096, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", &buffer[0], buffer.size());
        if (length < 0)
            return "";
        if (static_cast<size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<size_t>(length));
            size_t slash = buffer.rfind('/');
            return slash == std::string::npos ? "" : buffer.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2); // the link may have been cut: read it again, whole
    }
}

std::vector<std::string> shared_data_candidates(const std::string& executable_folder)
{
    std::vector<std::string> candidates;
    if (!executable_folder.empty()) {
        candidates.push_back(executable_folder);
        const size_t slash = executable_folder.rfind('/');
        if (slash != std::string::npos && executable_folder.compare(slash, std::string::npos, "/bin") == 0)
            candidates.push_back(executable_folder.substr(0, slash) + "/share/cuvelo");
    }
    if (std::find(candidates.begin(), candidates.end(), CUVELO_SHARED_DATA) == candidates.end())
        candidates.push_back(CUVELO_SHARED_DATA);
    return candidates;
}

static bool is_file(const std::string& path)
{
    return g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR);
}

static bool has_database(const std::string& bases)
{
    return is_file(bases + "/ingredients.txt");
}

// Copies `from` to `to` unless `to` exists: the copy is named only once it is whole and on the disk, and
// only if the name is still free, so an edited file is never replaced, even by another Cuvelo starting at
// the same moment, and an interrupted first start leaves no half file.
static void copy_if_absent(const std::string& from, const std::string& to)
{
    if (g_file_test(to.c_str(), G_FILE_TEST_EXISTS) || g_file_test(to.c_str(), G_FILE_TEST_IS_SYMLINK))
        return;
    gchar* bytes = nullptr;
    gsize size = 0;
    if (!g_file_get_contents(from.c_str(), &bytes, &size, nullptr))
        return;
    create_new_file(to, std::string(bytes, size), nullptr);
    g_free(bytes);
}

static void copy_missing_bases(const std::string& shared_bases, const std::string& user_bases)
{
    GDir* dir = g_dir_open(shared_bases.c_str(), 0, nullptr);
    if (!dir)
        return;
    if (g_mkdir_with_parents(user_bases.c_str(), 0755) == 0) {
        while (const gchar* name = g_dir_read_name(dir)) {
            const std::string from = shared_bases + "/" + name;
            if (is_file(from))
                copy_if_absent(from, user_bases + "/" + name);
        }
    }
    g_dir_close(dir);
}

static std::string working_folder()
{
    gchar* cwd = g_get_current_dir();
    std::string folder = cwd;
    g_free(cwd);
    return folder;
}

DataSearch find_data_folders(const std::string& user_folder,
                             const std::vector<std::string>& shared_candidates)
{
    DataSearch search;
    std::string shared;
    for (const std::string& candidate : shared_candidates)
        if (shared.empty() && has_database(candidate + "/bases"))
            shared = candidate;
    DataFolders& folders = search.folders;
    folders.help = shared;

    search.looked.push_back(working_folder() + "/bases");
    if (has_database("./bases")) {
        search.found = true;
        return search;
    }

    const std::string user_bases = user_folder + "/bases";
    search.looked.push_back(user_bases);
    if (!shared.empty())
        copy_missing_bases(shared + "/bases", user_bases);
    else
        for (const std::string& candidate : shared_candidates)
            search.looked.push_back(candidate + "/bases");
    if (has_database(user_bases)) {
        folders.bases = user_bases;
        if (!shared.empty())
            folders.shared_bases = shared + "/bases";
    } else if (!shared.empty())
        folders.bases = shared + "/bases"; // the brewer's folder cannot be written: read the shared one
    else
        return search;
    search.found = true;
    folders.pictures.clear();
    // The brewer's own pictures replace the shared ones of the same name; the folder is only searched if it
    // exists, so a missing one costs nothing per picture.
    if (g_file_test((user_folder + "/images").c_str(), G_FILE_TEST_IS_DIR))
        folders.pictures.push_back(user_folder + "/images");
    if (!shared.empty())
        folders.pictures.push_back(shared + "/images");
    else if (folders.pictures.empty())
        folders.pictures.push_back(user_folder + "/images");
    folders.report = user_folder;
    folders.documents = documents_folder();
    return search;
}

DataSearch set_up_data_folders()
{
    const std::string user_folder = std::string(g_get_user_data_dir()) + "/cuvelo";
    DataSearch search = find_data_folders(user_folder, shared_data_candidates(executable_folder()));
    use_data_folders(search.folders);
    return search;
}

std::string data_not_found_message(const DataSearch& search)
{
    std::string message = "Aucune base d'ingrédients (ingredients.txt) n'a été trouvée. Dossiers examinés :";
    for (const std::string& folder : search.looked)
        message += "\n  " + folder;
    return message + "\nCuvelo s'ouvre sans ingrédients ni styles.";
}

std::string picture_file(const std::string& name)
{
    const std::vector<std::string>& folders = current.pictures;
    if (folders.empty())
        return name + ".png";
    for (size_t i = 0; i + 1 < folders.size(); i++) {
        std::string path = folders[i] + "/" + name + ".png";
        if (g_file_test(path.c_str(), G_FILE_TEST_EXISTS))
            return path;
    }
    return folders.back() + "/" + name + ".png";
}

std::string documents_folder()
{
    const gchar* documents = g_get_user_special_dir(G_USER_DIRECTORY_DOCUMENTS);
    if (documents && g_file_test(documents, G_FILE_TEST_IS_DIR))
        return documents;
    return g_get_home_dir();
}
