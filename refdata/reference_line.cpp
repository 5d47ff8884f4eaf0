// refdata/reference_line.cpp — the line filter shared by the three reference-file readers.
#include "refdata/reference_line.h"

#include "core/text.h"

#include <cstdio>

bool is_reference_line(const std::string& line)
{
    return line.size() > 4 && line.find('#') == std::string::npos && line[0] != '\t';
}

bool for_each_reference_line(const std::string& path, const std::function<void(const std::string&)>& handle)
{
    FILE* file = open_text_file(path, "r");
    if (!file)
        return false;
    std::string line;
    while (read_text_line(file, line))
        if (is_reference_line(line))
            handle(line);
    std::fclose(file);
    return true;
}
