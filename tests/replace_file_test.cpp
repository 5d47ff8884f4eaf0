// tests/replace_file_test.cpp — whole-file writes: links, owners, full disks, killed saves, stale
// temporaries.
#include "core/replace_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>
#include <set>

static std::set<std::string> entries(const std::string& folder = ".")
{
    std::set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
                names.insert(entry->d_name);
        closedir(dir);
    }
    return names;
}

static struct stat lstat_of(const std::string& path)
{
    struct stat info = {};
    lstat(path.c_str(), &info);
    return info;
}

// Runs `body` in a child process and gives its exit status, or 128 + the signal that ended it.
static int in_child(const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// What stands at "t" before the write, and what a write through links must leave.
struct ThroughCase {
    const char* name;
    std::function<void()> prepare;
    bool written;
    const char* reason;                  // when not written
    std::function<void()> check = [] {}; // further checks after the write
};

TEST(ReplaceFile, WritesThroughLinksAndRefusesWhatIsNoFile)
{
    const ThroughCase cases[] = {
        {"nothing there", [] {}, true, ""},
        {"regular file", [] { write_file("t", "old content, longer than the new"); }, true, ""},
        {"symbolic link", [] { write_file("real/f", "old"), symlink("real/f", "t"); }, true, "",
         [] {
             EXPECT_TRUE(S_ISLNK(lstat_of("t").st_mode));
             EXPECT_EQ(read_file("real/f"), "new");
         }},
        {"chain of links", [] { write_file("real/f", "old"), symlink("real/f", "l1"), symlink("l1", "t"); },
         true, "", [] { EXPECT_EQ(read_file("real/f"), "new"); }},
        {"dangling link", [] { write_file("real/keep", ""), symlink("f", "real/l"), symlink("real/l", "t"); },
         true, "",
         [] {
             EXPECT_TRUE(S_ISLNK(lstat_of("t").st_mode)); // its target is created, as a plain write would
             EXPECT_TRUE(S_ISLNK(lstat_of("real/l").st_mode));
             EXPECT_EQ(read_file("real/f"), "new");
         }},
        {"hard link", [] { write_file("t", "old"), link("t", "other"); }, true, "",
         [] {
             EXPECT_EQ(read_file("other"), "new"); // written in place: every name sees the new content
             EXPECT_EQ(lstat_of("t").st_ino, lstat_of("other").st_ino);
             EXPECT_FALSE(file_exists("t~")); // the old content's copy goes once the new one is durable
         }},
        {"link loop", [] { symlink("t", "t"); }, false, "trop de liens symboliques"},
        {"folder", [] { write_file("t/inside", "kept"); }, false, "c'est un dossier"},
        {"FIFO", [] { mkfifo("t", 0644); }, false, "ce n'est pas un fichier ordinaire"},
        {"link to a FIFO", [] { mkfifo("p", 0644), symlink("p", "t"); }, false,
         "ce n'est pas un fichier ordinaire"},
        {"missing folder", [] { symlink("nowhere/f", "t"); }, false, "fichier ou dossier introuvable"},
    };
    for (const ThroughCase& c : cases) {
        ScratchDir dir;
        c.prepare();
        const std::set<std::string> before = entries();
        std::string why = "stale";
        EXPECT_EQ(replace_file("t", "new", &why), c.written) << c.name;
        if (c.written) {
            EXPECT_EQ(read_file("t"), "new") << c.name;
        } else {
            EXPECT_EQ(why, c.reason) << c.name;
            EXPECT_EQ(entries(), before) << c.name;
        }
        c.check();
        for (const std::string& name : entries())
            EXPECT_FALSE(is_temporary_file_name(name)) << c.name << ": " << name;
    }
}

TEST(ReplaceFile, KeepsTheModeAndGivesNewFilesTheUmaskMode)
{
    ScratchDir dir;
    write_file("old", "x");
    ASSERT_EQ(chmod("old", 0640), 0);
    const mode_t mask = umask(027);
    ASSERT_TRUE(replace_file("old", "y", nullptr));
    ASSERT_TRUE(replace_file("new", "y", nullptr));
    umask(mask);
    EXPECT_EQ(lstat_of("old").st_mode & 07777, 0640u);
    EXPECT_EQ(lstat_of("new").st_mode & 07777, 0640u);
}

// Past the file size limit, with SIGXFSZ at its default (which would end the process): the write fails
// cleanly, as on a full disk, and leaves the old file and the folder as they were.
TEST(ReplaceFile, OverSizeWriteFailsCleanlyForReplacedAndInPlaceFiles)
{
    for (const bool hard_linked : {false, true}) {
        ScratchDir dir;
        write_file("t", "old recipe");
        if (hard_linked) {
            ASSERT_EQ(link("t", "other"), 0);
        }
        const std::set<std::string> before = entries();
        const int status = in_child([] {
            std::signal(SIGXFSZ, SIG_DFL);
            struct rlimit small = {4096, 4096};
            setrlimit(RLIMIT_FSIZE, &small);
            std::string why;
            const bool written = replace_file("t", std::string(100000, 'x'), &why);
            return !written && why == "fichier trop grand" ? 0 : 1;
        });
        EXPECT_EQ(status, 0) << (hard_linked ? "in place" : "replaced");
        EXPECT_EQ(read_file("t"), "old recipe");
        EXPECT_EQ(entries(), before);
    }
}

// Starts `rounds` saves of `new_bytes` as "t", each in a child killed at a random moment once `started`
// holds, calls `before` ahead of each and `check` after each; gives how many kills landed within a save.
static int kill_saves_at_random(const std::string& new_bytes, int rounds, const std::function<void()>& before,
                                const std::function<bool()>& started, const std::function<void(int)>& check)
{
    std::mt19937 random(7);
    int interrupted = 0;
    for (int round = 0; round < rounds; round++) {
        before();
        int ready[2];
        if (pipe(ready) != 0)
            return 0;
        const pid_t pid = fork();
        if (pid == 0) {
            close(ready[0]);
            close(ready[1]); // the parent's read returns: the save starts now
            replace_file("t", new_bytes, nullptr);
            _exit(0);
        }
        close(ready[1]);
        char byte;
        EXPECT_EQ(read(ready[0], &byte, 1), 0);
        close(ready[0]);
        int status = 0;
        bool ended = false;
        while (!started() && !ended)
            ended = waitpid(pid, &status, WNOHANG) == pid;
        if (!ended) {
            usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        interrupted += WIFSIGNALED(status);
        check(round);
    }
    return interrupted;
}

// Saves killed at random moments leave the old or the new file whole; anything they leave behind is
// removed by the next save once it is stale.
TEST(ReplaceFile, KilledSavesLeaveNoTemporaryFileBehind)
{
    ScratchDir dir;
    const std::string old_bytes(1 << 20, 'o');
    const std::string new_bytes(8 << 20, 'n');
    write_file("t", old_bytes);
    const int interrupted = kill_saves_at_random(
        new_bytes, 40, [] {}, [] { return true; },
        [&](int round) {
            const std::string now = read_file("t");
            ASSERT_TRUE(now == old_bytes || now == new_bytes) << "round " << round;
        });
    EXPECT_GE(interrupted, 10); // most kills land within a save
    // Where the file system has no unnamed files, a killed save leaves a named one; a minute later it is
    // stale.
    for (const std::string& name : entries()) {
        const struct timeval old_times[2] = {{1, 0}, {1, 0}};
        utimes(name.c_str(), old_times);
    }
    ASSERT_TRUE(replace_file("t", "final", nullptr));
    EXPECT_EQ(entries(), (std::set<std::string>{"t"}));
}

// A hard-linked file is written in place once its old content is whole in "t~": a save killed after that
// leaves the new file, or the old content in "t~"; a save that ends removes "t~".
TEST(ReplaceFile, KilledSavesInPlaceKeepTheOldContentWholeBesideTheFile)
{
    ScratchDir dir;
    const std::string old_bytes(1 << 20, 'o');
    const std::string new_bytes(8 << 20, 'n');
    write_file("t", old_bytes);
    ASSERT_EQ(link("t", "other"), 0);
    bool seen = false; // the backup, in this round
    const auto restore = [&] {
        write_file("other", old_bytes); // the same file under its other name
        std::remove("t~");
        seen = false;
    };
    const auto backup_made = [&] { return seen = file_exists("t~"); };
    int backed_up = 0;
    const int interrupted = kill_saves_at_random(new_bytes, 20, restore, backup_made, [&](int round) {
        backed_up += seen;
        if (read_file("t") != new_bytes) {
            ASSERT_EQ(read_file("t~"), old_bytes) << "round " << round;
        }
        ASSERT_EQ(lstat_of("t").st_ino, lstat_of("other").st_ino) << "round " << round;
    });
    EXPECT_GE(backed_up, 10); // the kills land between the backup and the end of the save
    EXPECT_GE(interrupted, 10);
    restore();
    ASSERT_TRUE(replace_file("t", new_bytes, nullptr));
    EXPECT_EQ(read_file("other"), new_bytes);
    std::set<std::string> left = entries();
    for (const std::string& name : entries())
        if (is_temporary_file_name(name))
            left.erase(name); // a killed copy of the old content, removed once stale
    EXPECT_EQ(left, (std::set<std::string>{"t", "other"}));
}

// A file the user may write in a folder the user may not write takes no temporary file beside it: it is
// written in place, as a plain write would be, without a backup; a new file there is refused, as it would
// be.
TEST(ReplaceFile, WritableFileInAFolderTheUserMayNotWriteIsWrittenInPlace)
{
    ScratchDir dir;
    ASSERT_EQ(chmod(".", 0755), 0);
    write_file("locked/t", "old content, longer than the new");
    write_file("locked/linked", "old");
    ASSERT_EQ(link("locked/linked", "other"), 0);
    for (const char* name : {"locked/t", "locked/linked"})
        ASSERT_EQ(chmod(name, 0666), 0);
    ASSERT_EQ(chmod("locked", 0555), 0);
    const int status = run_as_user_who_is_not_root([] {
        std::string why;
        if (!replace_file("locked/t", "new", &why) || !replace_file("locked/linked", "new", &why))
            return 1;
        if (replace_file("locked/absent", "new", &why) || why != "permission refusée")
            return 2;
        if (!replace_file("locked/t", "report", &why, LinkPolicy::replace))
            return 3;
        // Under LinkPolicy::replace a file's other names are never written through.
        return replace_file("locked/linked", "report", &why, LinkPolicy::replace) ? 4 : 0;
    });
    ASSERT_EQ(chmod("locked", 0755), 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read_file("locked/t"), "report");
    EXPECT_EQ(read_file("other"), "new");
    EXPECT_EQ(entries("locked"), (std::set<std::string>{"t", "linked"}));
}

TEST(ReplaceFile, RemovesOnlyStaleUnlockedTemporariesOfItsOwnPattern)
{
    ScratchDir dir;
    const struct timeval old_times[2] = {{1, 0}, {1, 0}};
    for (const char* name : {".cuvelo-abc123", ".cuvelo-locked", ".cuvelo-recent", ".cuvelo-notes12",
                             ".cuvelo-ab", ".cuvelo-ab.123", "cuvelo-abc123"}) {
        write_file(name, "x");
        if (std::string(name) != ".cuvelo-recent")
            utimes(name, old_times);
    }
    ASSERT_EQ(mkdir(".cuvelo-folder", 0755), 0);
    utimes(".cuvelo-folder", old_times);
    // A save still running in another process holds the lock on its temporary file.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = open(".cuvelo-locked", O_RDONLY);
        flock(fd, LOCK_EX);
        if (write(ready[1], "1", 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_TRUE(replace_file("t", "new", nullptr));
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_EQ(entries(),
              (std::set<std::string>{"t", ".cuvelo-locked", ".cuvelo-recent", ".cuvelo-notes12", ".cuvelo-ab",
                                     ".cuvelo-ab.123", "cuvelo-abc123", ".cuvelo-folder"}));
}

// As a user who is not root: a file whose group is another of the user's groups keeps it, and a file of
// another owner that the user may write stays that owner's (it is written in place).
TEST(ReplaceFile, OwnerAndGroupAreKeptForAUserWhoIsNotRoot)
{
    uid_t user = kOtherUser;
    gid_t second_group = kOtherUsersSecondGroup;
    if (geteuid() != 0) {
        user = geteuid();
        gid_t groups[64];
        const int count = getgroups(64, groups);
        second_group = getegid();
        for (int i = 0; i < count; i++)
            if (groups[i] != getegid())
                second_group = groups[i];
        if (second_group == getegid())
            GTEST_SKIP() << "this user has a single group and is not root";
    }
    ScratchDir dir;
    ASSERT_EQ(chmod(".", 0777), 0);
    write_file("own.cvl", "old");
    ASSERT_EQ(chown("own.cvl", user, second_group), 0);
    const bool other_owner = geteuid() == 0; // only root can give a file to another owner
    write_file("shared.cvl", "old");
    ASSERT_EQ(chmod("shared.cvl", 0666), 0);
    ASSERT_EQ(chown("shared.cvl", 0, second_group), other_owner ? 0 : -1);
    const int status = run_as_user_who_is_not_root([&] {
        const bool own = replace_file("own.cvl", "new", nullptr);
        return own && (!other_owner || replace_file("shared.cvl", "new", nullptr)) ? 0 : 1;
    });
    ASSERT_EQ(status, 0);
    EXPECT_EQ(read_file("own.cvl"), "new");
    EXPECT_EQ(lstat_of("own.cvl").st_uid, user);
    EXPECT_EQ(lstat_of("own.cvl").st_gid, second_group);
    if (other_owner) {
        EXPECT_EQ(read_file("shared.cvl"), "new");
        EXPECT_EQ(lstat_of("shared.cvl").st_uid, 0u);
        EXPECT_EQ(lstat_of("shared.cvl").st_gid, second_group);
    }
}

// A new file is made whole or not at all, and never over anything that already has its name.
TEST(ReplaceFile, CreateNewFileNeverTouchesWhatHasTheName)
{
    const struct {
        const char* name;
        std::function<void()> prepare;
        bool created;
        const char* reason;
    } cases[] = {
        {"nothing there", [] {}, true, ""},
        {"a file", [] { write_file("t", "edited by the brewer"); }, false, "le fichier existe déjà"},
        {"an empty file", [] { write_file("t", ""); }, false, "le fichier existe déjà"},
        {"a dangling link", [] { symlink("elsewhere", "t"); }, false, "le fichier existe déjà"},
        {"a folder", [] { write_file("t/inside", "kept"); }, false, "le fichier existe déjà"},
        {"in a missing folder", [] { symlink("missing/t", "t"); }, false, "le fichier existe déjà"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        c.prepare();
        const std::set<std::string> before = entries();
        const struct stat old = lstat_of("t");
        std::string why;
        EXPECT_EQ(create_new_file("t", "shared copy", &why), c.created) << c.name;
        if (c.created) {
            EXPECT_EQ(read_file("t"), "shared copy");
            EXPECT_EQ(entries(), (std::set<std::string>{"t"}));
        } else {
            EXPECT_EQ(why, c.reason) << c.name;
            EXPECT_EQ(entries(), before) << c.name;
            EXPECT_EQ(lstat_of("t").st_ino, old.st_ino) << c.name;
            EXPECT_EQ(lstat_of("t").st_size, old.st_size) << c.name;
        }
    }
    ScratchDir dir;
    std::string why;
    EXPECT_FALSE(create_new_file("missing/t", "x", &why));
    EXPECT_EQ(why, "fichier ou dossier introuvable");
}
