// The history file on Windows: two writing processes at once, a writer terminated in the middle
// of its writes, a file another program holds open without sharing left alone, and the data
// folder under %LOCALAPPDATA%. The writers are this test program again, started with the
// writer's test alone and the file to write in QUORBIT1_TEST_WRITER.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "HistoryFixture.h"

using quorbit1::HistoryStore;
using quorbit1::ParseHistory;
using quorbit1::test::HistoryFile;

namespace {

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());  // the tests' paths and arguments are ASCII
}

// Adds QUORBIT1_TEST_WRITES expressions of 2,000 characters (forever when 0) to the file.
TEST(HistoryWriter, DISABLED_Writes) {
    const char* path = std::getenv("QUORBIT1_TEST_WRITER");
    ASSERT_NE(path, nullptr);
    const char* count = std::getenv("QUORBIT1_TEST_WRITES");
    const long n = count != nullptr ? std::atol(count) : 0;
    HistoryStore store(path);
    for (long i = 0; n == 0 || i < n; ++i) {
        ASSERT_EQ(store.Add(std::to_string(i) + "+" + std::string(2000, '1')), "");
    }
}

PROCESS_INFORMATION StartWriter(const std::string& path, long writes) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    SetEnvironmentVariableW(L"QUORBIT1_TEST_WRITER", Wide(path).c_str());
    SetEnvironmentVariableW(L"QUORBIT1_TEST_WRITES", std::to_wstring(writes).c_str());
    std::wstring command = L"\"" + std::wstring(self) +
                           L"\" --gtest_also_run_disabled_tests "
                           L"--gtest_filter=HistoryWriter.DISABLED_Writes";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    EXPECT_NE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process),
              0);
    return process;
}

DWORD Finish(PROCESS_INFORMATION& process) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

void ExpectWholeEntries(const std::string& text) {
    const quorbit1::HistoryText parsed = ParseHistory(text);
    EXPECT_EQ(parsed.skipped, 0u);
    for (const std::string& e : parsed.entries) {
        ASSERT_EQ(e.size(), e.find('+') + 2001);
    }
}

TEST_F(HistoryFile, TwoWritingProcessesLoseNothing) {
    PROCESS_INFORMATION a = StartWriter(m_path, 40);
    PROCESS_INFORMATION b = StartWriter(m_path, 40);
    EXPECT_EQ(Finish(a), 0u);
    EXPECT_EQ(Finish(b), 0u);
    // Each wrote 0..39; duplicates next to each other are one entry, so at least 40 are there
    // and every number appears.
    const quorbit1::HistoryText parsed = ParseHistory(FileText());
    ExpectWholeEntries(FileText());
    for (int i = 0; i < 40; ++i) {
        const std::string e = std::to_string(i) + "+" + std::string(2000, '1');
        EXPECT_NE(std::find(parsed.entries.begin(), parsed.entries.end(), e), parsed.entries.end())
            << i;
    }
}

TEST_F(HistoryFile, TerminatedWriterLeavesAWholeFile) {
    for (int round = 0; round < 6; ++round) {
        PROCESS_INFORMATION w = StartWriter(m_path, 0);
        Sleep(150 + 40 * round);
        TerminateProcess(w.hProcess, 9);
        Finish(w);
        ExpectWholeEntries(FileText());
    }
    EXPECT_FALSE(FileText().empty());
    // A temporary file a kill left behind goes with the next write.
    WriteFile(FileText());
    std::ofstream(m_path + ".tmp1-2") << "1+";
    HistoryStore(m_path).Add("1");
    EXPECT_EQ(FilesInFolder(), 2);
}

// Held open by another program that shares nothing: the file cannot be read, so it is not
// written either, and stays byte-identical.
TEST_F(HistoryFile, AFileThatCannotBeReadIsLeftByteIdentical) {
    const std::string before = "1+1\n2*3\n" + std::string(3000, '7') + "\n";
    WriteFile(before);
    HANDLE held = CreateFileW(Wide(m_path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HistoryStore store(m_path);
    const std::string problem = store.Load();
    EXPECT_NE(problem.find("cannot be read ("), std::string::npos) << problem;
    EXPECT_EQ(store.Add("4"), "");
    EXPECT_EQ(store.Entries(), std::vector<std::string>{"4"});
    EXPECT_NE(store.Clear(), "");
    CloseHandle(held);
    EXPECT_EQ(FileText(), before);
}

TEST(HistoryPath, FollowsLocalAppDataAndCanBeTurnedOff) {
    const struct {
        const wchar_t* localAppData;
        const wchar_t* off;
        const char* expected;
    } cases[] = {
        {L"C:\\Users\\u\\AppData\\Local", nullptr,
         "C:\\Users\\u\\AppData\\Local\\Quorbit1\\history"},
        {L"relative", nullptr, ""},
        {L"C:\\Data", L"0", "C:\\Data\\Quorbit1\\history"},
        {L"C:\\Data", L"1", ""},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableW(L"LOCALAPPDATA", c.localAppData);
        _wputenv_s(L"QUORBIT1_NO_HISTORY", c.off != nullptr ? c.off : L"");
        EXPECT_EQ(HistoryStore::DefaultPath(), c.expected);
    }
}

}  // namespace
