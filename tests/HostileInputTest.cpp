// Text a person might paste by accident: every one ends promptly, and every one that is not
// understood comes with a message, through the OK command and through the command line alike.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "OkCommand.h"
#include "TestSupport.h"

using testing_support::CaseName;

using testing_support::Repeat;

namespace {

struct HostileCase {
    const char* name;
    std::string text;
    const char* answer;
    const char* message;
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileInput : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInput, OkCommandAnswersAndSaysWhy) {
    const HostileCase& c = GetParam();
    quorbit1::OkCommand ok;
    const quorbit1::OkOutcome out = ok.Run(c.text, quorbit1::kDegrees);
    EXPECT_EQ(quorbit1::AnswerText(out.answer), c.answer);
    EXPECT_EQ(out.message, c.message);
    // And the same object still works afterwards.
    EXPECT_EQ(quorbit1::AnswerText(ok.Run("2*3+4", quorbit1::kDegrees).answer), "14");
}

TEST_P(HostileInput, CommandLinePrintsTheSame) {
    const HostileCase& c = GetParam();
    // An argument ends at its first NUL, so such a text comes in as a line of input instead.
    const bool viaInput = c.text.find('\0') != std::string::npos;
    const char* argv[] = {"quorbit1-cli", "--", c.text.c_str()};
    std::istringstream in(viaInput ? c.text + "\n" : std::string());
    std::ostringstream out;
    std::ostringstream err;
    const int status = quorbit1::RunCli(viaInput ? 1 : 3, argv, in, out, err, false);
    const std::string expected =
        std::string(c.answer) + (*c.message != '\0' ? std::string("\t") + c.message : "") + "\n";
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(status, *c.message != '\0' ? 1 : 0);
}

const HostileCase kHostile[] = {
    {"Empty", "", "0", "Enter an equation."},
    {"BlanksOnly", "     ", "0", "Two or more spaces in Sequence."},
    {"EqualsAtStart", "=1", "0", "= is not supported. Restructure."},
    {"EqualsAtEnd", "1+2=", "0", "= is not supported. Restructure."},
    {"Tab", "1\t+2", "3", "Invalid character."},
    {"DecimalComma", "1,5", "6", "Invalid character."},
    {"UnicodeMinus",
     "5\xe2\x88\x92"
     "2",
     "7", "Invalid character."},
    {"UnicodeTimes",
     "2\xc3\x97"
     "3",
     "5", "Invalid character."},
    {"NulInTheMiddle", std::string("4\0+2", 4), "6", "Invalid character."},
    {"InvalidUtf8",
     "\xff\xfe"
     "1+\xc3",
     "1", "Invalid character."},
    {"TenThousandOpeningBrackets", Repeat("(", 10000), "0", "Unbalanced Parentheses"},
    {"TenThousandChangesOfSign", Repeat("-(", 10000), "0", "Unbalanced Parentheses"},
    {"TenThousandBalancedChangesOfSign", Repeat("-(", 10000) + "1" + Repeat(")", 10000), "1", ""},
    {"TenThousandFunctionNames", Repeat("sin", 10000), "0", ""},
    {"TenThousandNestedFunctions", Repeat("sin(", 10000) + "0" + Repeat(")", 10000), "0", ""},
    {"MegabyteOfDigits", Repeat("1", 1 << 20), "1.11111111111111e+19", "Number too long."},
    {"HundredThousandTerms", "1" + Repeat("+1", 99999), "100000", ""},
    {"HundredThousandProducts", Repeat("(1*2)+", 20000) + "0", "40000", ""},
};

INSTANTIATE_TEST_SUITE_P(Hostile, HostileInput, ::testing::ValuesIn(kHostile), CaseName{});

}  // namespace
