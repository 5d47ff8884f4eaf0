// tests/test_support.h — helpers shared by the library tests: a scratch folder and whole-file I/O.
#pragma once

#include "line_fixtures.h"

#include <functional>
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

// Runs `body` in a child process as a user who is not root (under root: the unused user and group 61234,
// with 61235 as a second group), and gives its exit status, or 128 + the signal that ended it.
constexpr unsigned kOtherUser = 61234;
constexpr unsigned kOtherUsersSecondGroup = 61235;
int run_as_user_who_is_not_root(const std::function<int()>& body);

// The text with a CR before every LF, to check that CR LF files read like their LF twins.
std::string with_crlf(const std::string& text);
