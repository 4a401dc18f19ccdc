// The working shown to users: the stages an evaluation goes through, and the usual reading with
// precedence that is shown beside the calculator's own answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "Calculator.h"
#include "NumberText.h"
#include "TestSupport.h"
#include "UsualReading.h"
#include "Working.h"

using namespace quorbit1;
using quorbit1::test::Repeat;
using quorbit1::test::Same14;

namespace {

TEST(Working, WorkedExampleTakesThreePasses) {
    CEquation e;
    WorkingRecorder recorder;
    e.SetObserver(&recorder);
    e.m_text = "-(cos(45))";
    e.Solve();
    const auto& stages = recorder.Stages();
    const char* expected[] = {
        "(+ 0) ($ 0) (+ 45 f2 o2 c2) (+ 0) (+ 0)",
        "(+ 0) ($ 0) (+ 0.707106785906176 o1 c1) (+ 0) (+ 0) (+ 0)",
        "(+ 0) (+ -0.707106785906176) (+ 0) (+ 0) (+ 0) (+ 0)",
        "(+ -0.707106785906176) (+ 0) (+ 0) (+ 0) (+ 0) (+ 0)",
    };
    ASSERT_EQ(stages.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(quorbit1::test::TermsText(stages[i].terms), expected[i]) << i;
    }
    EXPECT_EQ(stages[2].start, 2);
    EXPECT_EQ(stages[2].sweptFrom, 1);
    // Only what a pass touched is marked.
    EXPECT_EQ(stages[2].changed, std::vector<bool>({false, true, true, false, false, false}));
}

TEST(Working, LongEvaluationsAreCutShortInTheRecordOnly) {
    CEquation plain;
    CEquation watched;
    WorkingRecorder recorder(5, 3);
    watched.SetObserver(&recorder);
    plain.m_text = watched.m_text = Repeat("-(", 50) + "3" + Repeat(")", 50);
    plain.Solve();
    watched.Solve();
    EXPECT_EQ(watched.m_result, plain.m_result);
    EXPECT_EQ(recorder.Stages().size(), 5u);
    EXPECT_EQ(recorder.PassCount(), 51);
    // Each stage keeps its first three terms and the count of all.
    EXPECT_EQ(recorder.Stages()[0].terms.size(), 3u);
    EXPECT_EQ(recorder.Stages()[0].termCount, 101u);
    EXPECT_NE(FormatWorking(recorder.Stages(), recorder.PassCount()).find("  ... 47 more passes"),
              std::string::npos);
}

class UsualTable : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsualTable, ReadsWithPrecedence) {
    const std::vector<std::string>& f = GetParam();
    const UsualResult r = EvaluateUsual(f.at(1), f.at(2) == "rad" ? 1 : 0, {2, 3, 5, 7});
    char* end = nullptr;
    const double expected = std::strtod(f.at(3).c_str(), &end);
    EXPECT_EQ(r.ok, *end == '\0') << r.error;
    EXPECT_TRUE(r.ok ? Same14(r.value, expected) : r.error == f.at(3)) << r.value << r.error;
}

INSTANTIATE_TEST_SUITE_P(Usual, UsualTable,
                         ::testing::ValuesIn(quorbit1::test::ReadTable("usual.tsv")),
                         quorbit1::test::RowName{});

TEST(UsualReading, DeepNestingIsRefusedNotAStackOverflow) {
    for (const std::string& text :
         {Repeat("sin(", 100000) + "1" + Repeat(")", 100000),
          Repeat("(", 100000) + "1" + Repeat(")", 100000), Repeat("-", 100000) + "1"}) {
        const UsualResult r = EvaluateUsual(text, 0);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find("nested too deeply"), std::string::npos) << r.error;
    }
    // Within the limit it still works.
    const UsualResult r = EvaluateUsual(Repeat("(", 100) + "1" + Repeat(")", 100), 0);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.value, 1.0);
}

// A numeral reads as strtod reads it, to the bit: short ones by a fast path of their own,
// long ones (more digits, more places) by the library.
TEST(UsualReading, NumeralsReadAsStrtodReadsThem) {
    std::mt19937_64 rng(20261208);
    std::vector<std::string> numerals = {"0",
                                         "0.0",
                                         ".5",
                                         "5.",
                                         "000.000",
                                         "007",
                                         "0.1",
                                         "0.3",
                                         "123456789012345",
                                         "1234567890123456",
                                         "9007199254740993",
                                         "0.0000000000000000000001",
                                         "0.00000000000000000000001",
                                         "1000000000000000000000000",
                                         std::string(400, '9')};
    for (int i = 0; i < 200000; ++i) {
        std::string n;
        const int length = 1 + static_cast<int>(rng() % 26);
        const int point = static_cast<int>(rng() % (length + 2)) - 1;  // -1: none
        for (int k = 0; k < length; ++k) {
            if (k == point) {
                n += '.';
            }
            n += static_cast<char>('0' + rng() % 10);
        }
        numerals.push_back(n);
    }
    for (const std::string& n : numerals) {
        const UsualResult r = EvaluateUsual(n, 0);
        ASSERT_TRUE(r.ok) << n;
        const double expected = std::strtod(n.c_str(), nullptr);
        std::uint64_t a = 0;
        std::uint64_t b = 0;
        std::memcpy(&a, &r.value, sizeof a);
        std::memcpy(&b, &expected, sizeof b);
        ASSERT_EQ(a, b) << n;
    }
}

}  // namespace

namespace {

// A translator that marks every text it is asked for, and makes the column headings long, as
// a language may.
std::string Marked(const char* context, const char* source) {
    const std::string s = source;
    if (std::string(context) == "quorbit1::CWorkingWindow" &&
        (s == "term" || s == "op" || s == "value" || s == "function")) {
        return "<" + s + s + ">";
    }
    return "[" + s + "]";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line ends with a newline";
    return lines;
}

}  // namespace

TEST(WorkingPlainText, SaysWhatTheWindowShowsInTheUsersWords) {
    struct Row {
        const char* text;
        bool radians;
        std::vector<const char*> wanted;  // lines, in order, among the text's
    };
    const Row rows[] = {
        {"2*3+4",
         false,
         {"[2*3+4 in [degrees]]", "[Answer: 14]", "[Read as 2*(3+4)]",
          "[Read with the usual precedence it would give 10.]", "", "[after the scan]", "",
          "[pass 1: started at term 2, swept terms 0 to 2]"}},
        {"0*5",
         true,
         {"[0*5 in [radians]]", "[Answer: 5]", "[Read as 5]",
          "  [0* left out: a zero left factor is an empty slot]"}},
        {"2*(3",
         false,
         {"[Answer: 6] ([Unbalanced Parentheses])",
          "[Read with the usual precedence it is not an expression ([[')' expected] at position "
          "5]).]"}},
        {"x=1",
         false,
         {"[x=1 in [degrees]]", "[Not evaluated: [= is not supported. Restructure.]]"}},
    };
    for (const Row& row : rows) {
        Calculator calc;
        calc.SetUnit(row.radians ? AngleUnit::kRadians : AngleUnit::kDegrees);
        calc.Ok(row.text);
        const std::vector<std::string> lines = Lines(WorkingPlainText(calc.Working(), Marked));
        std::size_t at = 0;
        for (const char* want : row.wanted) {
            while (at < lines.size() && lines[at] != want) {
                ++at;
            }
            EXPECT_LT(at, lines.size()) << row.text << ": no line \"" << want << "\" in order";
        }
    }
}

TEST(WorkingPlainText, ColumnsLineUpUnderTheirTranslatedHeadings) {
    Calculator calc;
    calc.Ok("2*3+4");
    const std::vector<std::string> lines = Lines(WorkingPlainText(calc.Working(), Marked));
    const auto heading = std::find(lines.begin(), lines.end(),
                                   "  <termterm> <opop> <valuevalue>         "
                                   "<functionfunction> [open] [close]");
    ASSERT_NE(heading, lines.end());
    // The rows after it: a changed term marked, each value starting under its heading.
    const std::size_t valueColumn = heading->find("<valuevalue>");
    for (auto row = heading + 1; row != lines.end() && !row->empty(); ++row) {
        EXPECT_EQ(row->find_first_not_of(' ', 2), 2u) << *row;
        EXPECT_NE((*row)[valueColumn], ' ') << *row;
        EXPECT_EQ((*row)[valueColumn - 1], ' ') << *row;
    }
    const auto pass =
        std::find(lines.begin(), lines.end(), "[pass 1: started at term 2, swept terms 0 to 2]");
    ASSERT_NE(pass, lines.end());
    EXPECT_EQ((pass + 2)->substr(0, 6), "* 0   ") << "the changed term 0, marked";
}

TEST(WorkingPlainText, NamesWhatItDoesNotShow) {
    // 70 bracket levels and 140 terms: more stages and terms than a reader is shown.
    Calculator calc;
    std::string text;
    for (int i = 0; i < 70; ++i) {
        text += "(1+";
    }
    text += "1" + std::string(70, ')');
    for (int i = 0; i < 70; ++i) {
        text += "+1";
    }
    calc.Ok(text);
    const std::string plain = WorkingPlainText(calc.Working(kShownStages, kShownTerms), Marked);
    EXPECT_NE(plain.find("\n[... 81 more terms not shown]\n"), std::string::npos);
    EXPECT_NE(plain.find("\n[... 12 more passes not shown]\n"), std::string::npos);
}
