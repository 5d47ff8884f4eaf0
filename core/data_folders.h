// core/data_folders.h — where the programs find their databases, pictures and help page, and where they
// write.
#pragma once

#include <string>
#include <vector>

// The folders of one run, without a trailing "/"; an empty report or documents folder is the working one.
struct DataFolders {
    std::string bases = "./bases";                    // configuration.txt, ingredients.txt, styles.txt
    std::vector<std::string> pictures = {"./images"}; // searched in order for "<name>.png"
    std::string report;                               // where "recette.html" is written
    std::string help;                                 // the folder of "lisez-moi.htm"; "" is the executable's
    std::string documents;                            // where the recipe file choosers open
    std::string shared_bases; // the shared bases/ that `bases` was copied from; "" when it is no such copy
};

// The outcome of the search for the databases.
struct DataSearch {
    DataFolders folders;
    bool found = false;
    std::vector<std::string> looked; // every bases folder examined, in order
};

// The folders in use; the working folder's bases/ and images/ until use_data_folders changes them.
const DataFolders& data_folders();
void use_data_folders(const DataFolders& folders);

// The folder of the running executable (from "/proc/self/exe"), without a trailing "/"; "" if unknown.
std::string executable_folder();

// The folders that may hold the shared data, for an executable in `executable_folder`: that folder itself
// (the application folder), "../share/cuvelo" beside a bin/ folder, then the installation folder chosen at
// build time.
std::vector<std::string> shared_data_candidates(const std::string& executable_folder);

// The rule: a working folder holding "bases/ingredients.txt" is used as it is. Otherwise the brewer's own
// folder `user_folder`: the shared bases/ files it lacks are copied into it (each whole or not at all; an
// existing file is never touched), its pictures come before the shared ones, and the report is written
// there. Found is false when
// neither the brewer's folder nor any shared folder holds an ingredient database.
DataSearch find_data_folders(const std::string& user_folder,
                             const std::vector<std::string>& shared_candidates);

// Runs find_data_folders for this process ($XDG_DATA_HOME/cuvelo, the executable's candidates) and uses the
// folders found (the working folder's when nothing was found).
DataSearch set_up_data_folders();

// The French message for a search that found nothing: which folders were examined.
std::string data_not_found_message(const DataSearch& search);

// The file of picture `name`: in the first picture folder that holds "<name>.png", else in the last one.
std::string picture_file(const std::string& name);

// The user's documents folder when it exists, else the home folder.
std::string documents_folder();
