// The OK command: refusals before evaluation, which message wins and which character it marks,
// what the answer field shows, text a person might paste by accident, and what carries over
// from one command to the next on the same evaluator.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "NumberText.h"
#include "OkCommand.h"
#include "TestSupport.h"

using quorbit1::AnswerText;
using quorbit1::AppendNumberText;
using quorbit1::CEquation;
using quorbit1::RunOkCommand;

constexpr int kDegrees = quorbit1::AngleMode(quorbit1::AngleUnit::kDegrees);
constexpr int kRadians = quorbit1::AngleMode(quorbit1::AngleUnit::kRadians);
using quorbit1::test::CaseName;
using quorbit1::test::Repeat;

namespace {

struct OkCase {
    std::string name;
    std::string text;
    int mode;
    std::string answer;
    std::string message;
    int markPos;
    bool evaluated = true;
};

void PrintTo(const OkCase& c, std::ostream* os) {
    *os << c.name;
}

// The cases of tests/data/ok.tsv, and texts too long to write out, which must end promptly.
std::vector<OkCase> Cases() {
    std::vector<OkCase> cases;
    for (const auto& f : quorbit1::test::ReadTable("ok.tsv")) {
        cases.push_back({f.at(0), quorbit1::test::Unescape(f.at(1)),
                         f.at(2) == "rad" ? kRadians : kDegrees, f.at(3), f.at(4),
                         std::stoi(f.at(5)), f.at(6) == "yes"});
    }
    const OkCase long_texts[] = {
        {"TenThousandOpeningBrackets", Repeat("(", 10000), kDegrees, "0", "Unbalanced Parentheses",
         -1},
        {"TenThousandChangesOfSign", Repeat("-(", 10000) + "1" + Repeat(")", 10000), kDegrees, "1",
         "", -1},
        {"TenThousandFunctionNames", Repeat("sin", 10000), kDegrees, "0", "", -1},
        {"TenThousandNestedFunctions", Repeat("sin(", 10000) + "0" + Repeat(")", 10000), kDegrees,
         "0", "", -1},
        {"MegabyteOfDigits", Repeat("1", 1 << 20), kDegrees, "1.11111111111111e+19",
         "Number too long.", -1},
        {"HundredThousandTerms", "1" + Repeat("+1", 99999), kDegrees, "100000", "", -1},
        // Empty slots between long runs of terms: the books' sets past their first summary word.
        {"ManyEmptySlots", Repeat("1+", 4200) + Repeat("+", 4200) + "3", kDegrees, "4203",
         "Two sequential operators.", 8399},
        {"TwentyThousandProducts", Repeat("(1*2)+", 20000) + "0", kDegrees, "40000", "", -1},
    };
    cases.insert(cases.end(), std::begin(long_texts), std::end(long_texts));
    return cases;
}

class OkTable : public ::testing::TestWithParam<OkCase> {};

TEST_P(OkTable, ShowsAnswerAndMessage) {
    const OkCase& c = GetParam();
    CEquation equation;
    const quorbit1::OkOutcome out = RunOkCommand(equation, c.text, c.mode);
    EXPECT_EQ(AnswerText(out.answer), c.answer);
    EXPECT_EQ(out.message, c.message);
    EXPECT_EQ(out.markPos, c.markPos);
    EXPECT_EQ(out.solved, c.evaluated);
    // Whatever came before, the same evaluator goes on working, with no message left over.
    const quorbit1::OkOutcome next = RunOkCommand(equation, "2*3+4", kDegrees);
    EXPECT_EQ(AnswerText(next.answer), "14");
    EXPECT_EQ(next.message, "");
}

INSTANTIATE_TEST_SUITE_P(Ok, OkTable, ::testing::ValuesIn(Cases()), CaseName{});

TEST(OkSequence, RefusedTextKeepsPreviousAnswerAndReportedFlagsAreCleared) {
    CEquation equation;
    EXPECT_EQ(AnswerText(RunOkCommand(equation, "2+3", kDegrees).answer), "5");
    EXPECT_EQ(AnswerText(RunOkCommand(equation, "", kDegrees).answer), "5");
    EXPECT_EQ(AnswerText(RunOkCommand(equation, "y=2", kDegrees).answer), "5");
    const quorbit1::OkOutcome all =
        RunOkCommand(equation, "((#2)+ln(-1)+asin(2)+100000000000000000000", kDegrees);
    EXPECT_EQ(quorbit1::test::FlagNames(all.raised),
              "unbalancedParentheses|mathDomain|numberTooLong|invalidCharacter");
    EXPECT_EQ(quorbit1::test::FlagsOf(equation), 0u);
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

// Every answer reads as "%.15g" and "%.17g" write it with 15 and with 17 places, to the character:
// random bit patterns over the whole range, decimal-looking values, exact halves at the last place
// (ties to even), and values that round up to the next power of ten.
TEST(AnswerTextTest, WritesAsPrintfDoes) {
    std::mt19937_64 rng(8122026);
    std::vector<double> values = {0.1,
                                  0.5,
                                  1.5,
                                  2.5,
                                  9.5,
                                  0.0001,
                                  0.00001,
                                  1e-5,
                                  123e-7,
                                  1e14,
                                  1e15,
                                  1e16,
                                  1e17,
                                  4.5e15,
                                  1e300,
                                  5e-324,
                                  2.5e-310,
                                  1e15 + 0.5,
                                  99999999999999.95,
                                  0.99999999999999994,
                                  9.9999999999999995e-5};
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = rng();
        double random = 0.0;
        std::memcpy(&random, &bits, sizeof random);
        values.push_back(random);
        const double whole = static_cast<double>(rng() % 1000000000000000);
        values.push_back(whole / std::pow(10.0, static_cast<double>(rng() % 30)));
        values.push_back(1e14 + static_cast<double>(rng() % 900000000000000) + 0.5);
        values.push_back(1e16 - static_cast<double>(rng() % 1000) - 0.5);
        values.push_back(std::nextafter(std::pow(10.0, static_cast<double>(rng() % 40) - 20),
                                        rng() % 2 == 0 ? 0.0 : 1e308));
    }
    for (const double v : values) {
        for (const double value : {v, -v}) {
            for (const int places : {15, 17}) {
                if (std::isnan(value)) {
                    continue;
                }
                char expected[64];
                const auto end = std::to_chars(expected, expected + sizeof expected, value,
                                               std::chars_format::general, places);
                std::string text;
                AppendNumberText(text, value, places);
                ASSERT_EQ(text, std::string(expected, end.ptr)) << places;
            }
        }
    }
}

}  // namespace
