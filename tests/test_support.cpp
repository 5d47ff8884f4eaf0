// tests/test_support.cpp — scratch folders and whole-file I/O for the tests.
#include "test_support.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

ScratchDir::ScratchDir()
{
    char cwd[4096];
    previous_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
    gchar* dir = g_dir_make_tmp("cuvelo-test-XXXXXX", nullptr);
    path_ = dir ? dir : "/tmp";
    g_free(dir);
    if (chdir(path_.c_str()) != 0)
        std::abort();
}

ScratchDir::~ScratchDir()
{
    if (chdir(previous_.c_str()) != 0)
        std::abort();
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0)
        return;
}

void write_file(const std::string& path, const std::string& bytes)
{
    gchar* dir = g_path_get_dirname(path.c_str());
    g_mkdir_with_parents(dir, 0755);
    g_free(dir);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool file_exists(const std::string& path)
{
    return g_file_test(path.c_str(), G_FILE_TEST_EXISTS);
}

int run_as_user_who_is_not_root(const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0) {
            const gid_t groups[] = {kOtherUsersSecondGroup};
            if (setgroups(1, groups) != 0 || setresgid(kOtherUser, kOtherUser, kOtherUser) != 0 ||
                setresuid(kOtherUser, kOtherUser, kOtherUser) != 0)
                _exit(126);
        }
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string with_crlf(const std::string& text)
{
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

// With CUVELO_TEST_USER_LOCALE set, the tests run under the user's locale (a French one in CTest's second
// run), so a number conversion that depends on the process locale shows up at once.
static const bool kUserLocale = [] {
    if (std::getenv("CUVELO_TEST_USER_LOCALE"))
        std::setlocale(LC_ALL, "");
    return true;
}();
