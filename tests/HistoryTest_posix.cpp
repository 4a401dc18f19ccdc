// The history file on POSIX systems: private modes, another user's file left alone, a writer
// killed with SIGKILL, and the XDG data folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "HistoryFixture.h"

using quorbit1::HistoryStore;
using quorbit1::ParseHistory;
using quorbit1::test::HistoryFile;

namespace {

TEST_F(HistoryFile, FileAndFoldersAreTheUsersAlone) {
    HistoryStore store(m_path);
    EXPECT_EQ(store.Add("1+1"), "");
    struct stat st {};
    ASSERT_EQ(stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(std::filesystem::path(m_path).parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(HistoryFile, AFileItsUserCannotReadIsLeftByteIdentical) {
    using namespace std::string_literals;
    const std::string before = "1+1\n2*3\n"s + std::string(3000, '7') + "\n";
    WriteFile(before);
    // The folder is the user's and writable, the file is not readable by the one who runs
    // the store: another user's file when the test runs as root, else a file made unreadable.
    std::filesystem::permissions(m_dir, std::filesystem::perms::all);
    for (auto dir = std::filesystem::path(m_path).parent_path(); dir != m_dir;
         dir = dir.parent_path()) {
        std::filesystem::permissions(dir, std::filesystem::perms::all);
    }
    const bool root = geteuid() == 0;
    ASSERT_EQ(chmod(m_path.c_str(), root ? 0600 : 0), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(10);
        }
        HistoryStore store(m_path);
        const std::string problem = store.Load();
        const bool said = problem.find("cannot be read (Permission denied)") != std::string::npos;
        const bool quiet = store.Add("4") == "" && store.Add("5") == "";
        const bool recalls = store.Entries() == std::vector<std::string>{"4", "5"};
        const bool refusedClear = !store.Clear().empty();
        _exit((said ? 0 : 1) | (quiet ? 0 : 2) | (recalls ? 0 : 4) | (refusedClear ? 0 : 8));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ASSERT_EQ(chmod(m_path.c_str(), 0600), 0);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(FilesInFolder(), 1);  // not even a lock file was made
}

TEST_F(HistoryFile, KilledWriterLeavesAWholeFile) {
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            HistoryStore store(m_path);
            for (int i = 0;; ++i) {
                store.Add(std::to_string(i) + "+" + std::string(2000, '1'));
            }
        }
        usleep(2000 + 1000 * round);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const quorbit1::HistoryText text = ParseHistory(FileText());
        EXPECT_EQ(text.skipped, 0u);
        for (const std::string& e : text.entries) {
            ASSERT_EQ(e.size(), e.find('+') + 2001);
        }
    }
    // A temporary file a kill left behind goes with the next write.
    std::ofstream(m_path + ".Ab12Cd") << "1+";
    HistoryStore(m_path).Add("1");
    EXPECT_EQ(FilesInFolder(), 2);
}

TEST(HistoryPath, FollowsTheDataFolderAndCanBeTurnedOff) {
    const char* const names[] = {"XDG_DATA_HOME", "HOME", "QUORBIT1_NO_HISTORY"};
    const char* const cases[][4] = {
        {"/data", "/home/u", nullptr, "/data/quorbit1/history"},
        {nullptr, "/home/u", nullptr, "/home/u/.local/share/quorbit1/history"},
        {"relative", "/home/u", nullptr, "/home/u/.local/share/quorbit1/history"},
        {"/data", "/home/u", "0", "/data/quorbit1/history"},
        {"/data", "/home/u", "1", ""},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i) {
            c[i] != nullptr ? setenv(names[i], c[i], 1) : unsetenv(names[i]);
        }
        EXPECT_EQ(HistoryStore::DefaultPath(), c[3]);
    }
}

}  // namespace
