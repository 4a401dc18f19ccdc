// The history file: what the tolerant reader keeps, what every write leaves on disk (merged,
// capped), and what is never overwritten. What differs by platform (privacy, a killed
// writer, another user's file, the data folder) is in HistoryTest_posix.cpp and
// HistoryTest_windows.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "HistoryCursor.h"
#include "HistoryFixture.h"
#include "TestSupport.h"

using quorbit1::HistoryStore;
using quorbit1::kHistoryLimit;
using quorbit1::ParseHistory;
using quorbit1::test::HistoryFile;
using quorbit1::test::RowName;
using quorbit1::test::Unescape;

namespace {

class HistoryReader : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(HistoryReader, KeepsWhatCanBeAnExpression) {
    const auto& row = GetParam();
    const quorbit1::HistoryText text = ParseHistory(Unescape(row.at(1)));
    std::string kept;
    for (const std::string& e : text.entries) {
        kept += (kept.empty() ? "" : "|") + e;
    }
    EXPECT_EQ(kept, Unescape(row.at(2) == " " ? "" : row.at(2)));
    EXPECT_EQ(text.skipped, std::stoul(row.at(3)));
}

INSTANTIATE_TEST_SUITE_P(Table, HistoryReader,
                         ::testing::ValuesIn(quorbit1::test::ReadTable("history.tsv")), RowName());

TEST_F(HistoryFile, NextRunReadsWhatThisOneAdded) {
    HistoryStore first(m_path);
    EXPECT_EQ(first.Load(), "");  // a first run: no file yet, and no complaint
    for (const char* e : {"1+1", "1+1", "", "x=2", "2*3", "1+1"}) {
        EXPECT_EQ(first.Add(e), "");
    }
    EXPECT_EQ(FileText(), "1+1\n2*3\n1+1\n");
    HistoryStore second(m_path);
    EXPECT_EQ(second.Load(), "");
    EXPECT_EQ(second.Entries(), first.Entries());
    // Nothing but the file and its lock is left in the folder.
    EXPECT_EQ(FilesInFolder(), 2);
}

TEST_F(HistoryFile, KeepsTheLastThousand) {
    HistoryStore store(m_path);
    for (std::size_t i = 0; i < kHistoryLimit + 5; ++i) {
        store.Add(std::to_string(i));
    }
    ASSERT_EQ(store.Entries().size(), kHistoryLimit);
    EXPECT_EQ(store.Entries().front(), "5");
    EXPECT_EQ(FileText().substr(0, 4), "5\n6\n");
}

TEST_F(HistoryFile, TwoProgramsAtOnceLoseNothing) {
    HistoryStore a(m_path);
    HistoryStore b(m_path);
    a.Load();
    b.Load();
    a.Add("1");
    b.Add("2");
    a.Add("3");
    EXPECT_EQ(FileText(), "1\n2\n3\n");
    // Each keeps its own run in memory, as a shell does.
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"1", "3"}));
    b.Clear();
    EXPECT_EQ(FileText(), "");
    a.Add("4");
    EXPECT_EQ(FileText(), "4\n");
}

TEST_F(HistoryFile, DamagedFileIsReadAsFarAsItCanAndThenReplaced) {
    using namespace std::string_literals;
    WriteFile("1+1\n\xff\xfe\x00\x01\n2*3"s);
    HistoryStore store(m_path);
    const std::string problem = store.Load();
    EXPECT_NE(problem.find("skipped 1 line"), std::string::npos) << problem;
    EXPECT_EQ(problem.find('\n'), std::string::npos);
    EXPECT_EQ(store.Entries(), (std::vector<std::string>{"1+1", "2*3"}));
    store.Add("4");
    EXPECT_EQ(FileText(), "1+1\n2*3\n4\n");
}

TEST_F(HistoryFile, OnlyTheEndOfAnOversizedFileIsRead) {
    // A cut line at the start of what is read is dropped, not kept half.
    std::string bytes(quorbit1::kHistoryReadLimit, 'x');
    bytes += "\n12345678\n1+1\n";
    WriteFile("0\n" + bytes);
    HistoryStore store(m_path);
    EXPECT_NE(store.Load().find("last 2 MiB"), std::string::npos);
    EXPECT_EQ(store.Entries(), (std::vector<std::string>{"12345678", "1+1"}));
}

// What cannot be read is never replaced: a folder in the file's place, or another user's
// file, is left exactly as it was, the problem is said once, and the run still recalls what it
// evaluated.
TEST_F(HistoryFile, AFolderInItsPlaceIsLeftAlone) {
    std::filesystem::create_directories(m_path);
    std::ofstream(m_path + "/inside") << "1+1\n";
    HistoryStore store(m_path);
    const std::string problem = store.Load();
    EXPECT_NE(problem.find("not a regular file; nothing is written"), std::string::npos) << problem;
    EXPECT_EQ(problem.rfind("history " + m_path, 0), 0u);  // the front end names itself
    for (const char* e : {"1", "2", "3"}) {
        EXPECT_EQ(store.Add(e), "");  // said once, at the start, not after every answer
    }
    EXPECT_EQ(store.Entries(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_FALSE(store.Writable());
    EXPECT_NE(store.Clear(), "");
    EXPECT_TRUE(std::filesystem::is_directory(m_path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_path), {}), 1);

    HistoryStore memoryOnly;
    EXPECT_EQ(memoryOnly.Add("1"), "");
    EXPECT_EQ(memoryOnly.Entries(), std::vector<std::string>{"1"});
}

// A file that cannot be written is said once while the fault lasts, again after it passed.
TEST_F(HistoryFile, AWriteProblemIsSaidOnceWhileItLasts) {
    WriteFile("1\n");
    HistoryStore store(m_path);
    EXPECT_EQ(store.Load(), "");
    // A folder where the lock file goes stops every write.
    std::filesystem::create_directory(m_path + ".lock");
    EXPECT_NE(store.Add("2"), "");
    EXPECT_EQ(store.Add("3"), "");
    std::filesystem::remove(m_path + ".lock");
    EXPECT_EQ(store.Add("4"), "");
    EXPECT_EQ(FileText(), "1\n4\n");
    std::filesystem::remove(m_path + ".lock");
    std::filesystem::create_directory(m_path + ".lock");
    EXPECT_NE(store.Add("5"), "");
}

// Up and Down as a shell has them: older with Up, past the oldest nothing; newer with Down,
// back to the draft typed before the first Up, and no further.
TEST(HistoryCursor, WalksLikeAShell) {
    const std::vector<std::string> entries = {"1+1", "2*3", "sin(30)"};
    struct Step {
        int step;
        const char* field;  // what the field holds before the key
        const char* shown;  // what it shows after, or nullptr: no step taken
    };
    const Step steps[] = {
        {+1, "draft", nullptr},    {-1, "draft", "sin(30)"}, {-1, "sin(30)", "2*3"},
        {-1, "2*3", "1+1"},        {-1, "1+1", nullptr},     {+1, "1+1", "2*3"},
        {+1, "edited", "sin(30)"}, {+1, "sin(30)", "draft"}, {+1, "draft", nullptr},
    };
    quorbit1::HistoryCursor cursor;
    cursor.Reset(entries.size());
    for (const Step& s : steps) {
        const std::optional<std::string> shown = cursor.Step(s.step, entries, s.field);
        EXPECT_EQ(shown.has_value(), s.shown != nullptr) << s.field;
        if (shown && s.shown != nullptr) {
            EXPECT_EQ(*shown, s.shown);
        }
    }
    // A history emptied while the cursor stood inside it offers nothing, and the first entry
    // added afterwards is the one Up brings.
    EXPECT_EQ(cursor.Step(-1, entries, "draft").value_or(""), "sin(30)");
    EXPECT_FALSE(cursor.Step(-1, {}, "sin(30)").has_value());
    cursor.Reset(1);
    EXPECT_EQ(cursor.Step(-1, {"7"}, "new").value_or(""), "7");
}

}  // namespace
