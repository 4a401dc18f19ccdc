// Editing a line key by key, as the Windows console reader does: the cursor stays between whole
// UTF-8 characters, and Up and Down bring back what earlier runs stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "History.h"
#include "HistoryFixture.h"
#include "LineEdit.h"

using quorbit1::LineEdit;
using Key = quorbit1::LineEdit::Key;

namespace {

TEST(LineEdit, EditsBetweenWholeCharacters) {
    const std::vector<std::string> none;
    LineEdit e(none);
    e.Insert("2*");
    e.Insert("\xc3\xa9");  // é, two bytes
    e.Insert("3");
    e.Press(Key::kLeft);
    e.Press(Key::kLeft);  // before é, not inside it
    EXPECT_EQ(e.Cursor(), 2u);
    e.Press(Key::kDelete);
    EXPECT_EQ(e.Text(), "2*3");
    e.Press(Key::kEnd);
    e.Insert("\xf0\x9f\x98\x80");  // four bytes
    e.Press(Key::kBackspace);
    EXPECT_EQ(e.Text(), "2*3");
    e.Press(Key::kHome);
    e.Press(Key::kBackspace);  // nothing before the start
    e.Insert("1+");
    EXPECT_EQ(e.Text(), "1+2*3");
    EXPECT_EQ(e.Cursor(), 2u);
    e.Press(Key::kRight);
    e.Press(Key::kRight);
    e.Press(Key::kRight);
    e.Press(Key::kRight);  // past the end stays at the end
    EXPECT_EQ(e.Cursor(), 5u);
    e.Press(Key::kEscape);
    EXPECT_EQ(e.Text(), "");
}

class LineEditRecall : public quorbit1::test::HistoryFile {};

// What one run stored, the next run's Up brings back, newest first, and Down returns to what
// was being typed.
TEST_F(LineEditRecall, UpBringsBackEarlierRuns) {
    quorbit1::HistoryStore first(m_path);
    first.Add("1+1");
    first.Add("sin(30)");
    quorbit1::HistoryStore next(m_path);
    ASSERT_EQ(next.Load(), "");
    LineEdit e(next.Entries());
    e.Insert("dra");
    e.Press(Key::kUp);
    EXPECT_EQ(e.Text(), "sin(30)");
    EXPECT_EQ(e.Cursor(), 7u);
    e.Press(Key::kUp);
    e.Press(Key::kUp);  // the oldest stays
    EXPECT_EQ(e.Text(), "1+1");
    e.Press(Key::kDown);
    e.Press(Key::kDown);
    EXPECT_EQ(e.Text(), "dra");
}

}  // namespace
