// The OK command: refusals before evaluation, which message wins, what the answer field shows,
// and what carries over from one command to the next on the same evaluator.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "OkCommand.h"
#include "TestSupport.h"

using quorbit1::AnswerText;
using quorbit1::kDegrees;
using quorbit1::kRadians;
using quorbit1::OkCommand;
using testing_support::CaseName;

namespace {

struct OkCase {
    const char* name;
    std::string text;
    int mode;
    const char* answer;
    const char* message;
    int markPos;
};

void PrintTo(const OkCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class OkTable : public ::testing::TestWithParam<OkCase> {};

TEST_P(OkTable, ShowsAnswerAndMessage) {
    const OkCase& c = GetParam();
    OkCommand ok;
    const quorbit1::OkOutcome out = ok.Run(c.text, c.mode);
    EXPECT_EQ(AnswerText(out.answer), c.answer);
    EXPECT_EQ(out.message, c.message);
    EXPECT_EQ(out.markPos, c.markPos);
}

const OkCase kOkCases[] = {
    {"PlusCos", "10 + cos(45)", kDegrees, "10.7071067859062", "", -1},
    {"Sin", "sin(30)", kDegrees, "0.49999999614644", "", -1},
    {"SinRadians", "sin(30)", kRadians, "-0.988031624092862", "", -1},
    {"NoPrecedence", "2*3+4", kDegrees, "14", "", -1},
    {"WorkedExample", "-(cos(45))", kDegrees, "-0.707106785906176", "", -1},
    {"DivideByZero", "5/0", kDegrees, "5", "", -1},
    {"LnNegative", "ln(-1)", kDegrees, "0", "Ln negatives not allowed.", -1},
    {"LogNegative", "log(-1)", kDegrees, "0", "Log10 negatives not allowed.", -1},
    {"Empty", "", kDegrees, "0", "Enter an equation.", -1},
    {"Equals", "x=10+cos(45)", kDegrees, "0", "= is not supported. Restructure.", -1},
    {"EqualsAlone", "=", kDegrees, "0", "= is not supported. Restructure.", -1},
    {"BlanksReachEvaluator", "   ", kDegrees, "0", "Two or more spaces in Sequence.", 0},
    {"OneBlank", " ", kDegrees, "0", "", -1},
    {"Unbalanced", "((2)", kDegrees, "2", "Unbalanced Parentheses", -1},
    {"UnknownLetter", "2*e", kDegrees, "0", "Invalid Trig or Exponent.", 2},
    {"DoubledOperator", "2++3", kDegrees, "5", "Two sequential operators.", 1},
    {"Spaces", "2  +3", kDegrees, "5", "Two or more spaces in Sequence.", 1},
    {"ParensThenLnWins", "((2)+ln(-1)", kDegrees, "2", "Ln negatives not allowed.", -1},
    {"TrigThenSeqOpsWins", "e++1", kDegrees, "1", "Two sequential operators.", 1},
    {"LogThenLnWins", "log(0)+ln(-1)", kDegrees, "0", "Ln negatives not allowed.", -1},
    // A term whose value is 0 counts as settled, so ln(0) here is never taken.
    {"ZeroFunctionTermSettled", "log(0)+ln(0)", kDegrees, "0", "Log10 negatives not allowed.", -1},
    {"Domain", "asin(2)", kDegrees, "nan", "Math domain error.", -1},
    {"DomainHiddenByZeroFactor", "asin(2)*5", kDegrees, "5", "Math domain error.", -1},
    {"DomainAfterLn", "ln(-1)+asin(2)", kDegrees, "nan", "Math domain error.", -1},
    {"LongNumber", "100000000000000000000", kDegrees, "0", "Number too long.", -1},
    {"LongNumberAfterDomain", "asin(2)+100000000000000000000", kDegrees, "nan", "Number too long.",
     -1},
    {"BadCharacter", "1,5", kDegrees, "6", "Invalid character.", 1},
    {"BadCharacterWinsOverAll", "((#2)+ln(-1)", kDegrees, "2", "Invalid character.", 2},
    {"Infinity", "alog(400)", kDegrees, "inf", "", -1},
    {"NegativeInfinity", "-(alog(400))", kDegrees, "-inf", "", -1},
};

INSTANTIATE_TEST_SUITE_P(Ok, OkTable, ::testing::ValuesIn(kOkCases), CaseName{});

TEST(OkSequence, RefusedTextKeepsPreviousAnswer) {
    OkCommand ok;
    EXPECT_EQ(AnswerText(ok.Run("2+3", kDegrees).answer), "5");
    const auto empty = ok.Run("", kDegrees);
    EXPECT_EQ(AnswerText(empty.answer), "5");
    EXPECT_FALSE(empty.solved);
    const auto equals = ok.Run("y=2", kDegrees);
    EXPECT_EQ(AnswerText(equals.answer), "5");
    EXPECT_EQ(equals.message, "= is not supported. Restructure.");
}

TEST(OkSequence, SameTextTwiceGivesSameAnswerAndNoStaleMessage) {
    OkCommand ok;
    EXPECT_EQ(ok.Run("ln(-1)", kDegrees).message, "Ln negatives not allowed.");
    const auto again = ok.Run("10 + cos(45)", kDegrees);
    const auto twice = ok.Run("10 + cos(45)", kDegrees);
    EXPECT_EQ(again.message, "");
    EXPECT_EQ(twice.message, "");
    EXPECT_EQ(AnswerText(twice.answer), AnswerText(again.answer));
}

TEST(OkSequence, ModeIsReadOnEachCommand) {
    OkCommand ok;
    EXPECT_EQ(AnswerText(ok.Run("sin(30)", kRadians).answer), "-0.988031624092862");
    EXPECT_EQ(AnswerText(ok.Run("sin(30)", kDegrees).answer), "0.49999999614644");
}

TEST(OkSequence, ReportedFlagsAreCleared) {
    OkCommand ok;
    ok.Run("((#2)+ln(-1)+asin(2)+100000000000000000000", kDegrees);
    const CEquation& e = ok.Equation();
    EXPECT_EQ(testing_support::FlagsOf(e), 0u);
}

TEST(AnswerTextTest, FormsLikePrintf15gWithPlainNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(AnswerText(nan), "nan");
    EXPECT_EQ(AnswerText(-nan), "nan");
    EXPECT_EQ(AnswerText(std::copysign(nan, -1.0)), "nan");
    EXPECT_EQ(AnswerText(inf), "inf");
    EXPECT_EQ(AnswerText(-inf), "-inf");
    EXPECT_EQ(AnswerText(0.1 + 0.2), "0.3");
    EXPECT_EQ(AnswerText(1e21), "1e+21");
    EXPECT_EQ(AnswerText(-0.0), "-0");
    EXPECT_EQ(AnswerText(74911279.573000297), "74911279.5730003");
}

}  // namespace
