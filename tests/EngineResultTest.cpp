// What Solve gives for a text: the worked results of the calculator's rules, bit-exact where the
// value is exact and to 14 significant digits elsewhere, with the flags each text raises.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "Equation.h"
#include "TestSupport.h"

using namespace testing_support;
using namespace testing_support::flag;
using quorbit1::CEquation;

namespace {

constexpr int kDeg = 0;
constexpr int kRad = 1;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

enum class Match { kExact, k14 };
constexpr Match kExact = Match::kExact;
constexpr Match k14 = Match::k14;

struct ResultCase {
    const char* name;
    std::string text;
    int mode;
    double expected;
    Match match;
    unsigned flags;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

double SolveFresh(const std::string& text, int mode, unsigned* flags) {
    CEquation e;
    e.m_text = text;
    e.m_angleMode = mode;
    e.Solve();
    *flags = FlagsOf(e);
    return e.m_result;
}

class ResultTable : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultTable, GivesValueAndFlags) {
    const ResultCase& c = GetParam();
    unsigned flags = 0;
    const double got = SolveFresh(c.text, c.mode, &flags);
    if (c.match == Match::kExact && !std::isnan(c.expected)) {
        EXPECT_EQ(Bits(got), Bits(c.expected)) << "got " << got << " want " << c.expected;
    } else {
        EXPECT_TRUE(Same14(got, c.expected)) << "got " << got << " want " << c.expected;
    }
    EXPECT_EQ(FlagNames(flags), FlagNames(c.flags));
}

// The table of the calculator's own rules: no precedence, right to left, signs, brackets.
const ResultCase kOperatorCases[] = {
    {"PlusTimes", "2+3*4", kDeg, 14, kExact, kNone},
    {"TimesPlusNoPrecedence", "2*3+4", kDeg, 14, kExact, kNone},
    {"PowerRightToLeft", "2^3^2", kDeg, 512, kExact, kNone},
    {"DivideRightToLeft", "8/4/2", kDeg, 4, kExact, kNone},
    {"SubtractTwice", "10-2-3", kDeg, 5, kExact, kNone},
    {"TimesMinus", "2*3-4", kDeg, -2, kExact, kNone},
    {"MinusBelongsToPowerBase", "2-3^2", kDeg, 11, kExact, kNone},
    {"Subtract", "2-3", kDeg, -1, kExact, kNone},
    {"LeadingMinus", "-5", kDeg, -5, kExact, kNone},
    {"TimesNegative", "2*-3", kDeg, -6, kExact, kSeqOps},
    {"NegativeExponent", "2^-1", kDeg, 0.5, kExact, kSeqOps},
    {"BracketFirst", "(2+3)*4", kDeg, 20, kExact, kNone},
    {"BracketSecond", "2*(3+4)", kDeg, 14, kExact, kNone},
    {"BracketThenRightToLeft", "(1+2)*3+4", kDeg, 21, kExact, kNone},
    {"MinusBracket", "2-(3+4)", kDeg, -5, kExact, kNone},
    {"DoubleChangeOfSign", "-(-(2))", kDeg, 2, kExact, kNone},
    {"DivideByZeroSkipped", "5/0", kDeg, 5, kExact, kNone},
    {"ZeroDividend", "0/5", kDeg, 0, kExact, kNone},
    {"ZeroDividendAfterTimes", "3*0/5", kDeg, 3, kExact, kNone},
    {"ZeroLeftFactorIsEmpty", "0*5", kDeg, 5, kExact, kNone},
    {"ZeroLeftFactorInSum", "3+0*5", kDeg, 15, kExact, kNone},
    {"ZeroExponent", "2^0", kDeg, 1, kExact, kNone},
    {"NearZeroDivisorSkipped", "5/0.0000000001", kDeg, 5, kExact, kNone},
    {"DivisorJustOutsideBound", "1/0.000000002", kDeg, 1 / (2 * std::pow(10.0, -9.0)), kExact,
     kNone},
    {"Decimal", "1.25", kDeg, 1.25, kExact, kNone},
    {"PointFormedDigitByDigit", "0.3", kDeg, 0.30000000000000004, kExact, kNone},
    {"UnbalancedStillEvaluated", "((2)", kDeg, 2, kExact, kParens},
    {"ClosedBeforeOpenedBalances", ")2(", kDeg, 2, kExact, kNone},
    {"TwoSpaces", "2  +3", kDeg, 5, kExact, kSpaces},
    {"DoubledPlusShifts", "2++3", kDeg, 5, kExact, kSeqOps},
    {"EmptyText", "", kDeg, 0, kExact, kEmpty},
    {"SingleDigit", "7", kDeg, 7, kExact, kNone},
    {"SpaceJoinsDigits", "12 34", kDeg, 46, kExact, kNone},
    {"SecondPoint", "12.5.3", kDeg, 12.8, k14, kNone},
    {"ExponentLetterRefused", "1e5", kDeg, 6, kExact, kTrig},
    {"UnknownLetterAfterTimes", "2*e", kDeg, 0, kExact, kTrig},
    {"OverflowIsInfinite", "10^400", kDeg, kInf, kExact, kNone},
};

// Functions, degree factors and the places where a function meets the reduction.
const ResultCase kFunctionCases[] = {
    {"WorkedExample", "-(cos(45))", kDeg, -0.70710678590618, k14, kNone},
    {"MinusNegatesArgument", "-cos(45)", kDeg, 0.70710678590618, k14, kNone},
    {"MinusBeforeFunction", "2-cos(60)", kDeg, 2.5000000077071, k14, kNone},
    {"PlusCos", "10 + cos(45)", kDeg, 10.707106785906, k14, kNone},
    {"Sin30", "sin(30)", kDeg, 0.49999999614644, k14, kNone},
    {"Sin30Radians", "sin(30)", kRad, -0.98803162409286, k14, kNone},
    {"NamesInCapitals", "SIN(30)+Cos(60)", kDeg, 1.0000000038536, k14, kNone},
    {"SinPlusCos", "sin(30)+cos(60)", kDeg, 1.0000000038536, k14, kNone},
    {"Log", "log(100)", kDeg, 2, kExact, kNone},
    {"Alog", "alog(2)", kDeg, 100, kExact, kNone},
    {"Aln", "aln(1)", kDeg, 2.718281828459, k14, kNone},
    {"LogZero", "log(0)", kDeg, 0, kExact, kLog10},
    {"LogNegative", "log(-10)", kDeg, 0, kExact, kLog10},
    {"LnNegative", "ln(-1)", kDeg, 0, kExact, kLn},
    {"LnZero", "ln(0)", kDeg, 0, kExact, kLn},
    {"AsinDegrees", "asin(1)", kDeg, 90.006629525348, k14, kNone},
    {"AsinRadians", "asin(1)", kRad, 1.5707963267949, k14, kNone},
    {"Atan", "atan(1)", kDeg, 45.003314762674, k14, kNone},
    {"AsinHalf", "asin(0.5)", kDeg, 30.002209841783, k14, kNone},
    {"AsinOutsideDomain", "asin(2)", kDeg, kNaN, k14, kDomain},
    {"AcosOutsideDomain", "acos(-3)", kDeg, kNaN, k14, kDomain},
    {"NaNLeftFactorCountsAsZero", "asin(2)*5", kDeg, 5, kExact, kDomain},
    {"NegativeToFractionalPower", "(-8)^0.5", kDeg, kNaN, k14, kDomain},
    {"Tan90Finite", "tan(90)", kDeg, 74911279.573000297, k14, kNone},
    {"ArgumentSpansTerms", "sin(1+2)+1", kDeg, 0.069756473152276, k14, kNone},
    {"ArgumentSpansTermsAlone", "sin(1+2)", kDeg, 0.052335955798583, k14, kNone},
    {"TimesFunctionOfSum", "2*sin(1+2)", kDeg, 0.10467191159717, k14, kNone},
    {"LogOfFoldedProduct", "log(10*10)+1", kDeg, 2.0043213737826, k14, kNone},
    {"SinPlusOne", "sin(30)+1", kDeg, 1.4999999961464, k14, kNone},
    {"SinWithoutBrackets", "sin30", kDeg, 0.49999999614644, k14, kNone},
    {"ProductFoldedIntoArgument", "2+sin30*2", kDeg, 2.8660253993347, k14, kNone},
    {"ProductAfterFunction", "2+sin(30)*2", kDeg, 2.9999999922929, k14, kNone},
    {"SweepStopsAfterSine", "8/sin(30)/2", kDeg, 32.000000246628, k14, kNone},
    {"CosAtEndOfText", "cos", kDeg, 1, kExact, kNone},
    {"SinhIsSinThenH", "sinh(1)", kDeg, std::sin(1 * 0x1.1df469fc647bp-6), kExact, kTrig},
    {"UnknownName", "si(30)", kDeg, 30, kExact, kTrig},
    {"TanUndoesVariableT", "tan(45)", kDeg, std::tan(45 * 0x1.1df469fc647bp-6), kExact, kNone},
    {"VariablesStartAtZero", "x+y+z+t", kDeg, 0, kExact, kNone},
    {"AlogOverflow", "alog(400)", kDeg, kInf, kExact, kNone},
    // A minus before a function negates its argument, so this is inf + 10^-400.
    {"AlogDifferenceNegatesArgument", "alog(400)-alog(400)", kDeg, kInf, kExact, kNone},
    {"InfinityMinusInfinity", "alog(400)-(alog(400))", kDeg, kNaN, k14, kDomain},
};

// Choices made where the rules leave a gap or would fail.
const ResultCase kDecisionCases[] = {
    {"MarkerWithoutProgressEnds", "2+-(", kDeg, 2, kExact, kParens | kSeqOps},
    {"MarkerAfterCloseEnds", ")--(", kDeg, 0, kExact, kSeqOps},
    {"HashSteppedOver", "1#2", kDeg, 3, kExact, kBadChar},
    {"CommaSteppedOver", "1,5", kDeg, 6, kExact, kBadChar},
    {"TabSteppedOver", "2\t+3", kDeg, 5, kExact, kBadChar},
    {"EqualsSteppedOver", "x=10", kDeg, 10, kExact, kBadChar},
    {"UnicodeMinusSteppedOver",
     "5\xe2\x88\x92"
     "2",
     kDeg, 7, kExact, kBadChar},
    {"NulInsideText",
     std::string("4\0"
                 "2",
                 3),
     kDeg, 6, kExact, kBadChar},
    {"OnlyBadCharacters", "###", kDeg, 0, kExact, kBadChar},
    {"TwentyDigitsInFull", "12345678901234567890", kDeg, 12345678901234567890.0, k14, kNone},
    {"LongNumberDropsDigit", "100000000000000000000", kDeg, 0, kExact, kLong},
    {"LeadingZerosDropSilently", "000000000000000000000", kDeg, 0, kExact, kNone},
    {"LongNumberKeepsLowDigits", "100000000000000000001", kDeg, 1, kExact, kLong},
    {"TwentiethFractionDigitDrops", "0.00000000000000000001", kDeg, 0, kExact, kNone},
    {"NineteenthFractionDigit", "0.0000000000000000001", kDeg, std::pow(10.0, -19), kExact, kNone},
    {"StateOfEarlierSolveIgnored", "(1+2+3)*2", kDeg, 12, kExact, kNone},
    {"LongSum", "1" + Repeat("+1", 2000), kDeg, 2001, kExact, kNone},
    // Each '0*' copies the bracket counts of the factor behind it; the counts stay bounded by
    // the text's own brackets, so the evaluation ends promptly.
    {"ZeroFactorsBeforeBracket", Repeat("0*", 64) + "(2+3)", kDeg, 5, kExact, kNone},
};

INSTANTIATE_TEST_SUITE_P(Operators, ResultTable, ::testing::ValuesIn(kOperatorCases), CaseName{});
INSTANTIATE_TEST_SUITE_P(Functions, ResultTable, ::testing::ValuesIn(kFunctionCases), CaseName{});
INSTANTIATE_TEST_SUITE_P(Decisions, ResultTable, ::testing::ValuesIn(kDecisionCases), CaseName{});

TEST(EngineReuse, OneObjectGivesWhatFreshObjectsGive) {
    std::vector<ResultCase> all(std::begin(kOperatorCases), std::end(kOperatorCases));
    all.insert(all.end(), std::begin(kFunctionCases), std::end(kFunctionCases));
    all.insert(all.end(), std::begin(kDecisionCases), std::end(kDecisionCases));
    CEquation shared;
    // Twice through, in order and then backwards, so every case follows a different one.
    for (int round = 0; round < 2; ++round) {
        for (std::size_t k = 0; k < all.size(); ++k) {
            const ResultCase& c = all[round == 0 ? k : all.size() - 1 - k];
            unsigned freshFlags = 0;
            const double fresh = SolveFresh(c.text, c.mode, &freshFlags);
            shared.m_text = c.text;
            shared.m_angleMode = c.mode;
            shared.Solve();
            EXPECT_EQ(Bits(shared.m_result), Bits(fresh)) << c.name;
            EXPECT_EQ(FlagsOf(shared), freshFlags) << c.name;
        }
    }
}

TEST(EngineReuse, ChangeOfSignStateDoesNotCarryOver) {
    CEquation e;
    e.m_text = "-(cos(45))";
    e.Solve();
    e.m_text = "(1+2+3)*2";
    e.Solve();
    EXPECT_EQ(e.m_result, 12.0);
    EXPECT_EQ(e.m_funcState, 0);
}

TEST(EngineReuse, ResetClearsAllTenFlags) {
    CEquation e;
    e.m_errEmpty = e.m_errParens = e.m_errTrigExp = e.m_errSpaces = e.m_errSeqOps = 1;
    e.m_errLog10Neg = e.m_errLnNeg = e.m_errDomain = e.m_errLongNumber = e.m_errBadChar = 1;
    e.m_text = "1";
    e.Solve();
    EXPECT_EQ(FlagsOf(e), 0u);
    EXPECT_EQ(e.m_result, 1.0);
}

TEST(EngineVariables, CallerSetsSlotsBeforeSolve) {
    struct Row {
        const char* text;
        double expected;
    };
    const Row rows[] = {{"x", 2},      {"y", 3},
                        {"z", 5},      {"t", 7},
                        {"x*y+z", 16}, {"logx", std::log10(2.0)},
                        {"xy", 3},     {"tan(45)", std::tan(45 * 0x1.1df469fc647bp-6)}};
    for (const Row& r : rows) {
        CEquation e;
        e.m_varX = 2;
        e.m_varY = 3;
        e.m_varZ = 5;
        e.m_varT = 7;
        e.m_text = r.text;
        e.Solve();
        EXPECT_EQ(Bits(e.m_result), Bits(r.expected)) << r.text;
        EXPECT_EQ(FlagsOf(e), 0u) << r.text;
    }
}

TEST(EngineReuse, LongTextLeavesNothingForAShortOne) {
    // A name cut short by the end of the text must read NULs behind it, not what a longer text
    // left in the buffer.
    CEquation e;
    e.m_text = std::string(300, '1') + "+sin(30)";
    e.Solve();
    e.m_text = "as";
    e.Solve();
    EXPECT_EQ(FlagsOf(e), kTrig);
}

}  // namespace
