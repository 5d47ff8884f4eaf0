// bench/beerxml_files.cpp — writes the hostile BeerXML files of bench/beerxml_files.h, one per kind and size,
// into a folder: bench/beerxml_memory.sh then reads each with cuvelo-calc for its time and peak memory.
#include "bench/beerxml_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: beerxml_files FOLDER MEGABYTES...\n");
        return 2;
    }
    for (int i = 2; i < argc; i++) {
        const size_t megabytes = std::strtoul(argv[i], nullptr, 10);
        for (const HostileFile& kind : hostile_files()) {
            const std::string path = std::string(argv[1]) + "/" + kind.name + "-" + argv[i] + "MB.xml";
            const std::string bytes = hostile_file(kind, megabytes << 20);
            FILE* file = std::fopen(path.c_str(), "wb");
            if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
                std::fclose(file) != 0) {
                std::fprintf(stderr, "beerxml_files: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    }
    return 0;
}
