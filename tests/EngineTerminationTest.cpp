// The texts built to make the evaluation take as many passes as it can: every one ends within
// the bound the engine's termination argument gives, well before the pass guard, and with the
// value its shape dictates.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Equation.h"
#include "TestSupport.h"

using quorbit1::test::CaseName;

using quorbit1::test::Repeat;

namespace {

using quorbit1::CEquation;
using quorbit1::Term;

class PassCounter final : public quorbit1::CEquationObserver {
public:
    void Scanned(std::span<const Term>) override {}
    void PassDone(int, int, int, std::span<const Term>) override { ++passes; }
    int passes = 0;
};

struct WorstCase {
    const char* name;
    std::string text;
    double expected;
};

void PrintTo(const WorstCase& c, std::ostream* os) {
    *os << c.name;
}

class WorstTexts : public ::testing::TestWithParam<WorstCase> {};

TEST_P(WorstTexts, EndWithinTermsPlusBrackets) {
    const WorstCase& c = GetParam();
    CEquation e;
    PassCounter counter;
    e.SetObserver(&counter);
    e.m_text = c.text;
    e.Solve();
    EXPECT_FALSE(e.GuardTripped());
    EXPECT_LE(counter.passes, e.m_terms.GetSize() + e.ParenTotal());
    if (!std::isnan(c.expected)) {
        EXPECT_EQ(e.m_result, c.expected);
    }
}

constexpr int kN = 2000;
const double kAnyValue = std::nan("");
const WorstCase kWorst[] = {
    {"ChangeOfSignNesting", Repeat("-(", kN) + "1" + Repeat(")", kN), 1},
    {"OddChangeOfSignNesting", Repeat("-(", kN + 1) + "1" + Repeat(")", kN + 1), -1},
    {"ZeroFactorRun", Repeat("0*", kN) + "(1)", 1},
    {"ZeroFactorsBeforeNesting", Repeat("0*", 200) + Repeat("(", 200) + "1" + Repeat(")", 200), 1},
    {"ZeroFactorsAroundNesting",
     Repeat("0*", 100) + Repeat("(", 100) + "1" + Repeat(")", 100) + Repeat("*0", 100), 0},
    {"BracketGroups", Repeat("(1*2)+", kN) + "0", 2 * kN},
    {"UnclosedBrackets", Repeat("((1+", kN) + "1", kN + 1},
    // Its value comes out of three hundred levels that each stop after one turn; the row is
    // about the number of passes.
    {"FunctionsInsideChangesOfSign", Repeat("-(alog(", 300) + "0" + Repeat("))", 300), kAnyValue},
    {"NestedBrackets", Repeat("(", kN) + "7" + Repeat(")", kN), 7},
    {"ClosedBeforeOpened", Repeat(")(", kN) + "3", 3},
};

INSTANTIATE_TEST_SUITE_P(Termination, WorstTexts, ::testing::ValuesIn(kWorst), CaseName{});

// Found by the fuzzer: zero factors double the counts of terms that then end up on term 0, which
// gives back one bracket per pass. It takes more passes than terms plus brackets (four times
// that and more), but ends well within terms times brackets, where the guard stays out of the way.
TEST(Termination, DoubledCountsDrainOneBracketPerPass) {
    CEquation e;
    PassCounter counter;
    e.SetObserver(&counter);
    e.m_angleMode = 1;
    e.m_text =
        "//***))(()(-(-(*()))((/////*())(-sin////*))((-(***()))((///**))()((-(**))))(((()))//"
        "*(**)))(((-(";
    e.Solve();
    EXPECT_FALSE(e.GuardTripped());
    const int terms = e.m_terms.GetSize();
    EXPECT_GT(counter.passes, 4 * (terms + e.ParenTotal()));
    EXPECT_LE(counter.passes, (terms + 2) * (e.ParenTotal() + 2));
    EXPECT_EQ(e.m_result, 0.0);
}

}  // namespace
