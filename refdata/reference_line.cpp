// refdata/reference_line.cpp — the line filter shared by the three reference-file readers.
#include "refdata/reference_line.h"

#include "core/line_reader.h"

#include <new>

bool is_reference_line(const std::string& line)
{
    return line.size() > 4 && line.find('#') == std::string::npos && line[0] != '\t';
}

bool for_each_reference_line(const std::string& path, const std::function<void(const std::string&)>& handle)
{
    try {
        LineReader file(path);
        std::string line;
        while (file.next(line))
            if (is_reference_line(line))
                handle(line);
        // A read that fails part-way has handed over the records before it, and still counts as a failure.
        return !file.failed();
    } catch (const std::bad_alloc&) {
        return false; // memory ran out: the records handed over so far stay, as for a failed read
    }
}
