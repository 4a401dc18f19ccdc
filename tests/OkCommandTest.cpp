// The OK command: refusals before evaluation, which message wins and which character it marks,
// what the answer field shows, text a person might paste by accident, and what carries over
// from one command to the next on the same evaluator.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "CliApp.h"
#include "OkCommand.h"
#include "TestSupport.h"

using quorbit1::AnswerText;
using quorbit1::kDegrees;
using quorbit1::kRadians;
using quorbit1::OkCommand;
using testing_support::CaseName;
using testing_support::Repeat;

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
    *os << c.name;
}

class OkTable : public ::testing::TestWithParam<OkCase> {};

TEST_P(OkTable, ShowsAnswerAndMessage) {
    const OkCase& c = GetParam();
    OkCommand ok;
    const quorbit1::OkOutcome out = ok.Run(c.text, c.mode);
    EXPECT_EQ(AnswerText(out.answer), c.answer);
    EXPECT_EQ(out.message, c.message);
    EXPECT_EQ(out.markPos, c.markPos);
    EXPECT_EQ(out.solved, !c.text.empty() && c.text.find('=') == std::string::npos);
    // Whatever came before, the same object goes on working, with no message left over.
    const quorbit1::OkOutcome next = ok.Run("2*3+4", kDegrees);
    EXPECT_EQ(AnswerText(next.answer), "14");
    EXPECT_EQ(next.message, "");
}

const OkCase kOkCases[] = {
    {"PlusCos", "10 + cos(45)", kDegrees, "10.7071067859062", "", -1},
    {"SinRadians", "sin(30)", kRadians, "-0.988031624092862", "", -1},
    {"Empty", "", kDegrees, "0", "Enter an equation.", -1},
    {"Equals", "x=10+cos(45)", kDegrees, "0", "= is not supported. Restructure.", -1},
    {"EqualsAlone", "=", kDegrees, "0", "= is not supported. Restructure.", -1},
    {"BlanksReachEvaluator", "   ", kDegrees, "0", "Two or more spaces in Sequence.", 0},
    {"OneBlank", " ", kDegrees, "0", "", -1},
    {"Unbalanced", "((2)", kDegrees, "2", "Unbalanced Parentheses", -1},
    {"UnknownLetter", "2*e", kDegrees, "0", "Invalid Trig or Exponent.", 2},
    {"DoubledOperator", "2++3", kDegrees, "5", "Two sequential operators.", 1},
    {"Spaces", "2  +3", kDegrees, "5", "Two or more spaces in Sequence.", 1},
    {"LogNegative", "log(-1)", kDegrees, "0", "Log10 negatives not allowed.", -1},
    {"ParensThenLnWins", "((2)+ln(-1)", kDegrees, "2", "Ln negatives not allowed.", -1},
    {"TrigThenSeqOpsWins", "e++1", kDegrees, "1", "Two sequential operators.", 1},
    {"SpacesThenSeqOpsMarksTheOperator", "  2++3", kDegrees, "5", "Two sequential operators.", 3},
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
    // Pasted by accident: every one ends promptly, and every one not understood says why.
    {"Tab", "1\t+2", kDegrees, "3", "Invalid character.", 1},
    {"UnicodeMinus",
     "5\xe2\x88\x92"
     "2",
     kDegrees, "7", "Invalid character.", 1},
    {"NulInTheMiddle", std::string("4\0+2", 4), kDegrees, "6", "Invalid character.", 1},
    {"InvalidUtf8",
     "\xff\xfe"
     "1+\xc3",
     kDegrees, "1", "Invalid character.", 0},
    {"TenThousandOpeningBrackets", Repeat("(", 10000), kDegrees, "0", "Unbalanced Parentheses", -1},
    {"TenThousandChangesOfSign", Repeat("-(", 10000) + "1" + Repeat(")", 10000), kDegrees, "1", "",
     -1},
    {"TenThousandFunctionNames", Repeat("sin", 10000), kDegrees, "0", "", -1},
    {"TenThousandNestedFunctions", Repeat("sin(", 10000) + "0" + Repeat(")", 10000), kDegrees, "0",
     "", -1},
    {"MegabyteOfDigits", Repeat("1", 1 << 20), kDegrees, "1.11111111111111e+19", "Number too long.",
     -1},
    {"HundredThousandTerms", "1" + Repeat("+1", 99999), kDegrees, "100000", "", -1},
    {"TwentyThousandProducts", Repeat("(1*2)+", 20000) + "0", kDegrees, "40000", "", -1},
};

INSTANTIATE_TEST_SUITE_P(Ok, OkTable, ::testing::ValuesIn(kOkCases), CaseName{});

TEST(OkSequence, RefusedTextKeepsPreviousAnswer) {
    OkCommand ok;
    EXPECT_EQ(AnswerText(ok.Run("2+3", kDegrees).answer), "5");
    EXPECT_EQ(AnswerText(ok.Run("", kDegrees).answer), "5");
    EXPECT_EQ(AnswerText(ok.Run("y=2", kDegrees).answer), "5");
}

TEST(OkSequence, ReportedFlagsAreCleared) {
    OkCommand ok;
    ok.Run("((#2)+ln(-1)+asin(2)+100000000000000000000", kDegrees);
    EXPECT_EQ(testing_support::FlagsOf(ok.Equation()), 0u);
}

TEST(AnswerTextTest, FormsLikePrintf15gWithPlainNaN) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(AnswerText(nan), "nan");
    EXPECT_EQ(AnswerText(std::copysign(nan, -1.0)), "nan");
    EXPECT_EQ(AnswerText(inf), "inf");
    EXPECT_EQ(AnswerText(-inf), "-inf");
    EXPECT_EQ(AnswerText(0.1 + 0.2), "0.3");
    EXPECT_EQ(AnswerText(1e21), "1e+21");
    EXPECT_EQ(AnswerText(-0.0), "-0");
    EXPECT_EQ(AnswerText(74911279.573000297), "74911279.5730003");
}

// The command line prints what the OK command shows; a few rows prove the wiring, a text with a
// NUL (which cannot be an argument) comes in as a line of input.
TEST(OkOnTheCommandLine, PrintsWhatTheOkCommandShows) {
    for (const OkCase& c : kOkCases) {
        if (c.name != std::string("PlusCos") && c.name != std::string("Empty") &&
            c.name != std::string("NulInTheMiddle") && c.name != std::string("MegabyteOfDigits")) {
            continue;
        }
        const bool viaInput = c.text.find('\0') != std::string::npos;
        const char* argv[] = {"quorbit1-cli", "--", c.text.c_str()};
        std::istringstream in(viaInput ? c.text + "\n" : std::string());
        std::ostringstream out;
        std::ostringstream err;
        const int status = quorbit1::RunCli(viaInput ? 1 : 3, argv, in, out, err, false);
        const std::string message = *c.message != '\0' ? std::string("\t") + c.message : "";
        EXPECT_EQ(out.str(), c.answer + message + "\n") << c.name;
        EXPECT_EQ(status, message.empty() ? 0 : 1) << c.name;
    }
}

}  // namespace
