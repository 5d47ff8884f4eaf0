// tests/test_support.h — helpers shared by the library tests: a scratch folder and whole-file I/O.
#pragma once

#include <string>

// A fresh empty folder, made the working directory for the test's life; the old one is restored after.
class ScratchDir
{
  public:
    ScratchDir();
    ~ScratchDir();
    const std::string& path() const
    {
        return path_;
    }

  private:
    std::string path_;
    std::string previous_;
};

// Writes bytes to a file (creating folders as needed) and reads a whole file back.
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);
bool file_exists(const std::string& path);

// The text with a CR before every LF, to check that CR LF files read like their LF twins.
std::string with_crlf(const std::string& text);
