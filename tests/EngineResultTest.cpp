// What Solve gives for a text: the worked results of the calculator's rules (tests/data/
// results.tsv), bit-exact where the value is exact and to 14 significant digits elsewhere, with
// the flags each text raises; and what one evaluator carries from one solve to the next.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BitCast.h"
#include "Equation.h"
#include "TestSupport.h"

using namespace quorbit1::test;
using quorbit1::CEquation;

namespace {

constexpr int kDeg = quorbit1::AngleMode(quorbit1::AngleUnit::kDegrees);
constexpr int kRad = quorbit1::AngleMode(quorbit1::AngleUnit::kRadians);
struct ResultCase {
    std::string name;
    std::string text;
    int mode;
    double expected;
    bool exact;  // else to 14 significant digits
    std::string flags;
};

void PrintTo(const ResultCase& c, std::ostream* os) {
    *os << "'" << c.text.substr(0, 40) << "'";
}

std::vector<ResultCase> Cases() {
    std::vector<ResultCase> cases;
    for (const auto& f : ReadTable("results.tsv")) {
        cases.push_back({f.at(0), Unescape(f.at(1)), f.at(2) == "rad" ? kRad : kDeg,
                         std::strtod(f.at(3).c_str(), nullptr), f.at(4) == "exact", f.at(5)});
    }
    // Texts too long to write out.
    cases.push_back({"LongSum", "1" + Repeat("+1", 2000), kDeg, 2001, true, "none"});
    // Each '0*' copies the bracket counts of the factor behind it; the counts stay bounded by
    // the text's own brackets, so the evaluation ends promptly.
    cases.push_back(
        {"ZeroFactorsBeforeBracket", Repeat("0*", 64) + "(2+3)", kDeg, 5, true, "none"});
    return cases;
}

class ResultTable : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultTable, GivesValueAndFlags) {
    const ResultCase& c = GetParam();
    CEquation e;
    e.m_text = c.text;
    e.m_angleMode = c.mode;
    e.Solve();
    if (c.exact && !std::isnan(c.expected)) {
        EXPECT_EQ(quorbit1::BitCast<std::uint64_t>(e.m_result),
                  quorbit1::BitCast<std::uint64_t>(c.expected))
            << "got " << e.m_result;
    } else {
        EXPECT_TRUE(Same14(e.m_result, c.expected)) << "got " << e.m_result;
    }
    EXPECT_EQ(FlagNames(FlagsOf(e)), c.flags);
}

INSTANTIATE_TEST_SUITE_P(Solve, ResultTable, ::testing::ValuesIn(Cases()), CaseName{});

// The term list as the scan hands it to the evaluation (tests/data/scan.tsv), read from Solve
// through an observer as the working window reads it.
class ScannedList final : public quorbit1::CEquationObserver {
public:
    void Scanned(std::span<const quorbit1::Term> terms) override { text = TermsText(terms); }
    void PassDone(int, int, int, std::span<const quorbit1::Term>) override {}
    std::string text;
};

class ScanTable : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ScanTable, BuildsTerms) {
    const std::vector<std::string>& f = GetParam();
    CEquation e;
    ScannedList scanned;
    e.SetObserver(&scanned);
    e.m_text = Unescape(f.at(1));
    e.Solve();
    EXPECT_EQ(scanned.text, f.at(2));
    EXPECT_EQ(FlagNames(FlagsOf(e)), f.at(3));
}

INSTANTIATE_TEST_SUITE_P(Scan, ScanTable, ::testing::ValuesIn(ReadTable("scan.tsv")), RowName{});

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
                        {"x*y+z", 16}, {"logx", 0x1.34413509f79ffp-2},      // 0.3010299956639812
                        {"xy", 3},     {"tan(45)", 0x1.ffffff8d54f70p-1}};  // 0.9999999866508755
    for (const Row& r : rows) {
        CEquation e;
        e.SetSlots({2, 3, 5, 7});
        e.m_text = r.text;
        e.Solve();
        EXPECT_EQ(quorbit1::BitCast<std::uint64_t>(e.m_result),
                  quorbit1::BitCast<std::uint64_t>(r.expected))
            << r.text;
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
    EXPECT_EQ(FlagNames(FlagsOf(e)), "invalidTrigOrExponent");
}

}  // namespace
