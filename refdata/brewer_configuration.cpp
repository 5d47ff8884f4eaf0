// refdata/brewer_configuration.cpp — the configuration file in use, written from the settings dialog and
// read again.
#include "refdata/brewer_configuration.h"

#include "core/data_folders.h"
#include "core/replace_file.h"
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "refdata/configuration_write.h"

#include <glib.h>

std::string configuration_path()
{
    return data_folders().bases + "/configuration.txt";
}

bool save_brewer_configuration(const Settings& before, const Settings& after, std::string* why)
{
    const std::string path = configuration_path();
    const std::string& shared = data_folders().shared_bases;
    if (!shared.empty() && !g_file_test(path.c_str(), G_FILE_TEST_EXISTS) &&
        !g_file_test(path.c_str(), G_FILE_TEST_IS_SYMLINK)) {
        gchar* bytes = nullptr;
        gsize size = 0;
        if (g_file_get_contents((shared + "/configuration.txt").c_str(), &bytes, &size, nullptr)) {
            // Another Cuvelo may make the file at the same moment: then that one is written below.
            create_new_file(path, std::string(bytes, size), nullptr);
            g_free(bytes);
        }
    }
    return save_configuration_file(path, before, after, why);
}

std::string reload_configuration()
{
    ws.settings = Settings();
    return load_configuration();
}
