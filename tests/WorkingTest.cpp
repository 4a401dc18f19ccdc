// The working shown to users: the stages an evaluation goes through, and the usual reading with
// precedence that is shown beside the calculator's own answer.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "OkCommand.h"
#include "TestSupport.h"
#include "UsualReading.h"
#include "Working.h"

using namespace quorbit1;
using testing_support::CaseName;
using testing_support::Same14;

namespace {

std::string Row(const Term& t) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "(%c %.14g o%d c%d f%d)", t.op, t.value, t.openParens,
                  t.closeParens, t.funcCode);
    return buf;
}

std::string FirstThree(const WorkingStage& s) {
    return Row(s.terms[0]) + " " + Row(s.terms[1]) + " " + Row(s.terms[2]);
}

TEST(Working, WorkedExampleTakesThreePasses) {
    CEquation e;
    WorkingRecorder recorder;
    e.SetObserver(&recorder);
    e.m_text = "-(cos(45))";
    e.Solve();
    const auto& stages = recorder.Stages();
    ASSERT_EQ(stages.size(), 4u);
    EXPECT_EQ(recorder.PassCount(), 3);
    EXPECT_EQ(FirstThree(stages[0]), "(+ 0 o0 c0 f0) ($ 0 o0 c0 f0) (+ 45 o2 c2 f2)");
    EXPECT_EQ(FirstThree(stages[1]), "(+ 0 o0 c0 f0) ($ 0 o0 c0 f0) (+ 0.70710678590618 o1 c1 f0)");
    EXPECT_EQ(FirstThree(stages[2]),
              "(+ 0 o0 c0 f0) (+ -0.70710678590618 o0 c0 f0) (+ 0 o0 c0 f0)");
    EXPECT_EQ(FirstThree(stages[3]),
              "(+ -0.70710678590618 o0 c0 f0) (+ 0 o0 c0 f0) (+ 0 o0 c0 f0)");
    EXPECT_EQ(stages[1].start, 2);
    EXPECT_EQ(stages[2].start, 2);
    EXPECT_EQ(stages[2].sweptFrom, 1);
    // Only what a pass touched is marked.
    EXPECT_TRUE(stages[1].changed[2]);
    EXPECT_FALSE(stages[1].changed[0]);
    EXPECT_TRUE(stages[2].changed[1] && stages[2].changed[2]);
    EXPECT_TRUE(stages[3].changed[0]);
}

TEST(Working, LongEvaluationsAreCutShortInTheRecordOnly) {
    CEquation plain;
    CEquation watched;
    WorkingRecorder recorder(5);
    watched.SetObserver(&recorder);
    plain.m_text = watched.m_text =
        testing_support::Repeat("-(", 50) + "3" + testing_support::Repeat(")", 50);
    plain.Solve();
    watched.Solve();
    EXPECT_EQ(watched.m_result, plain.m_result);
    EXPECT_EQ(recorder.Stages().size(), 5u);
    EXPECT_EQ(recorder.PassCount(), 51);
    EXPECT_NE(FormatWorking(recorder.Stages(), recorder.PassCount()).find("more passes not shown"),
              std::string::npos);
}

struct UsualCase {
    const char* name;
    const char* text;
    int mode;
    double expected;  // NaN: not an expression in this reading
};

void PrintTo(const UsualCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class UsualTable : public ::testing::TestWithParam<UsualCase> {};

TEST_P(UsualTable, ReadsWithPrecedence) {
    const UsualCase& c = GetParam();
    const UsualResult r = EvaluateUsual(c.text, c.mode, {2, 3, 5, 7});
    if (std::isnan(c.expected)) {
        EXPECT_FALSE(r.ok) << r.value;
        EXPECT_FALSE(r.error.empty());
    } else {
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(Same14(r.value, c.expected)) << r.value;
    }
}

const double kNot = std::nan("");
const double kDeg = 0x1.1df469fc647bp-6;
const UsualCase kUsual[] = {
    {"TimesBeforePlus", "2*3+4", 0, 10},
    {"PowerRightAssociative", "2^3^2", 0, 512},
    {"MinusBelowPower", "-2^2", 0, -4},
    {"NegativeExponent", "2^-1", 0, 0.5},
    {"LeftToRight", "10-2-3", 0, 5},
    {"DivideLeftToRight", "8/4/2", 0, 1},
    {"MinusFunction", "2-cos(60)", 0, 2 - std::cos(60 * kDeg)},
    {"Brackets", "(2+3)*4", 0, 20},
    {"Spaces", " 10 + cos(45) ", 0, 10 + std::cos(45 * kDeg)},
    {"Radians", "sin(30)", 1, std::sin(30.0)},
    {"InverseInDegrees", "asin(1)", 0, std::asin(1.0) * 57.3},
    {"Logs", "log(100)+ln(aln(2))+alog(1)", 0, 2 + 2 + 10},
    {"Variables", "x*y+z^t", 0, 6 + std::pow(5.0, 7.0)},
    {"UpperCase", "SIN(30)", 0, std::sin(30 * kDeg)},
    {"DoubleSign", "2*-3", 0, -6},
    {"UnknownName", "2*e", 0, kNot},
    {"FunctionWithoutBrackets", "sin30", 0, kNot},
    {"Unbalanced", "((2)", 0, kNot},
    {"DanglingOperator", "5-", 0, kNot},
    {"Empty", "   ", 0, kNot},
    {"BadCharacter", "1#2", 0, kNot},
    {"TwoPoints", "12.5.3", 0, kNot},
};

INSTANTIATE_TEST_SUITE_P(Usual, UsualTable, ::testing::ValuesIn(kUsual), CaseName{});

TEST(UsualReading, DeepNestingIsRefusedNotAStackOverflow) {
    for (const std::string& text :
         {testing_support::Repeat("sin(", 100000) + "1" + testing_support::Repeat(")", 100000),
          testing_support::Repeat("(", 100000) + "1" + testing_support::Repeat(")", 100000),
          testing_support::Repeat("-", 100000) + "1"}) {
        const UsualResult r = EvaluateUsual(text, 0);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find("nested too deeply"), std::string::npos) << r.error;
    }
    // Within the limit it still works.
    const UsualResult r = EvaluateUsual(
        testing_support::Repeat("(", 100) + "1" + testing_support::Repeat(")", 100), 0);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.value, 1.0);
}

}  // namespace
