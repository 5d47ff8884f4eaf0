// core/line_reader.h — reads a regular file line by line, never blocking and never growing without bound.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Opens `path` for reading without blocking (a FIFO or a device is not waited for) and only when it is a
// regular file. The descriptor, or -1 with a French reason in `why` (when not null).
int open_regular_file(const std::string& path, std::string* why);

// The longest line a reader accepts, in bytes: far above any line of a recipe or a reference file.
constexpr size_t kMaxLineBytes = size_t(64) << 20;

// The lines of one file (backslashes of the path taken as slashes). The file and the reader's buffer are
// given back when the reader goes.
class LineReader
{
  public:
    explicit LineReader(const std::string& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its LF (and without a CR right before it, or a CR ending the file). False at
    // the end of the file, and when the file could not be opened or read, or a line passes kMaxLineBytes.
    bool next(std::string& line);

    // True once opening or reading failed: the lines given so far are not the whole file.
    bool failed() const
    {
        return !why_.empty();
    }

    // Why it failed, in French; "" when it did not.
    const std::string& why() const
    {
        return why_;
    }

  private:
    bool fill();

    int fd_ = -1;
    std::vector<char> buffer_;
    size_t start_ = 0;
    size_t end_ = 0;
    bool at_end_ = false;
    std::string why_;
};
