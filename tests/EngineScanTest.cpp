// The term list that the scan hands to the evaluation, for texts whose shape matters: how
// operators, signs, brackets, numbers and names become terms, and which flags the solve raises.
// It is read from Solve through an observer, as the working window reads it.
#include <gtest/gtest.h>

#include <string>

#include "Equation.h"
#include "TestSupport.h"

using namespace testing_support;
using namespace testing_support::flag;

namespace {

struct ScanCase {
    const char* name;
    const char* text;
    const char* terms;
    unsigned flags;
};

void PrintTo(const ScanCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class ScannedList final : public quorbit1::CEquationObserver {
public:
    void Scanned(std::span<const quorbit1::Term> terms) override { text = TermsText(terms); }
    void PassDone(int, int, int, std::span<const quorbit1::Term>) override {}
    std::string text;
};

class ScanTable : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanTable, BuildsTerms) {
    const ScanCase& c = GetParam();
    quorbit1::CEquation e;
    ScannedList scanned;
    e.SetObserver(&scanned);
    e.m_text = c.text;
    e.Solve();
    EXPECT_EQ(scanned.text, c.terms);
    EXPECT_EQ(FlagNames(FlagsOf(e)), FlagNames(c.flags));
}

const ScanCase kScanCases[] = {
    // Operators open the next operand's term; there is one term per operand.
    {"PlusTimes", "2+3*4", "(+ 2) (+ 3) (* 4)", kNone},
    {"Powers", "2^3^2", "(+ 2) (^ 3) (^ 2)", kNone},
    {"TwoSpaces", "2  +3", "(+ 2) (+ 3)", kSpaces},
    {"DoubledPlus", "2++3", "(+ 2) (+ 0) (+ 3)", kSeqOps},
    {"OperatorsAcrossOneSpace", "2+ +3", "(+ 2) (+ 0) (+ 3)", kSeqOps},
    {"LookAheadStopsAfterTwo", "2+  +3", "(+ 2) (+ 0) (+ 3)", kSpaces},
    {"TimesMinus", "2*-3", "(+ 2) (* 0) (- 3)", kSeqOps},
    {"PowerMinus", "2^-1", "(+ 2) (^ 0) (- 1)", kSeqOps},
    {"MinusMinus", "2--3", "(+ 2) (- 0) (- 3)", kSeqOps},
    {"SignInsideBracket", "2*(-3)", "(+ 2) (* 0 o1) (- 3 c1)", kNone},
    {"OperatorAtEnd", "5-", "(+ 5) (- 0)", kNone},
    {"OperatorThenSpaceAtEnd", "5+ ", "(+ 5) (+ 0)", kNone},
    {"LeadingMinus", "-5", "(+ 0) (- 5)", kNone},
    {"BracketedMinus", "(-5)", "(+ 0 o1) (- 5 c1)", kNone},
    {"ChangeOfSign", "-(2)", "(+ 0) ($ 0) (+ 2 o1 c1)", kNone},
    {"MinusRunAbsorbsSpacesAndBrackets", "- ( (2))", "(+ 0) ($ 0) (+ 2 o2 c2)", kNone},
    {"NestedChangeOfSign", "-(-(2))", "(+ 0) ($ 0) (+ 0 o1) ($ 0) (+ 2 o1 c2)", kNone},
    {"SpacesAfterMinusAbsorbed", "2-  3", "(+ 2) (- 3)", kNone},
    {"SpacesAfterPlusFlagged", "2+  3", "(+ 2) (+ 3)", kSpaces},
    {"TwoSpacesAtStart", "  2", "(+ 2)", kSpaces},
    {"TwoSpacesAtEnd", "2  ", "(+ 2)", kSpaces},
    {"SingleSpaces", " 2 + 3 ", "(+ 2) (+ 3)", kNone},
    // Numbers are formed digit by digit into the current term.
    {"SpaceJoinsDigits", "2 3", "(+ 5)", kNone},
    {"FractionAcrossSpace", "1.5 2", "(+ 1.502)", kNone},
    {"BracketJoinsDigits", "2(3)", "(+ 5 o1 c1)", kNone},
    {"PointAfterOperator", "2+.5", "(+ 2) (+ 0.5)", kNone},
    {"LoneFraction", ".5", "(+ 0.5)", kNone},
    {"TrailingPoint", "5.", "(+ 5)", kNone},
    {"PointAlone", ".", "(+ 0)", kNone},
    {"LeadingZeros", "007", "(+ 7)", kNone},
    {"Digits", "123", "(+ 123)", kNone},
    // Brackets only count onto the current term.
    {"Unbalanced", "((2)", "(+ 2 o2 c1)", kParens},
    {"ClosedFirst", ")2(", "(+ 2 o1 c1)", kNone},
    {"OneDigit", "7", "(+ 7)", kNone},
    {"Bracketed", "(2)", "(+ 2 o1 c1)", kNone},
    // Names mark the current term and put two empty terms behind it.
    {"Sin", "sin(30)", "(+ 30 f1 o1 c1) (+ 0) (+ 0)", kNone},
    {"Log", "log(100)", "(+ 100 f7 o1 c1) (+ 0) (+ 0)", kNone},
    {"LnOfSign", "ln(-1)", "(+ 0 f8 o1) (- 1 c1) (+ 0) (+ 0)", kLn},
    {"PlusCos", "10 + cos(45)", "(+ 10) (+ 45 f2 o1 c1) (+ 0) (+ 0)", kNone},
    {"WorkedExample", "-(cos(45))", "(+ 0) ($ 0) (+ 45 f2 o2 c2) (+ 0) (+ 0)", kNone},
    {"Tan", "tan(45)", "(+ 45 f3 o1 c1) (+ 0) (+ 0)", kNone},
    {"Asin", "asin(0.5)", "(+ 0.5 f4 o1 c1) (+ 0) (+ 0)", kNone},
    {"Alog", "alog(2)", "(+ 2 f9 o1 c1) (+ 0) (+ 0)", kNone},
    {"Aln", "aln(1)", "(+ 1 f10 o1 c1) (+ 0) (+ 0)", kNone},
    {"Variable", "x", "(+ 0) (+ 0) (+ 0)", kNone},
    {"TwoVariables", "xy", "(+ 0) (+ 0) (+ 0) (+ 0) (+ 0)", kNone},
    {"LogOfVariable", "logx", "(+ 0 f7) (+ 0) (+ 0) (+ 0) (+ 0)", kLog10},
    {"Sinh", "sinh(1)", "(+ 1 f1 o1 c1) (+ 0) (+ 0) (+ 0) (+ 0)", kTrig},
    {"UnknownLetters", "si(30)", "(+ 30 o1 c1) (+ 0) (+ 0) (+ 0) (+ 0)", kTrig},
    {"CosAtEnd", "cos", "(+ 0 f2) (+ 0) (+ 0)", kNone},
    {"UnknownAfterTimes", "2*e", "(+ 2) (* 0) (+ 0) (+ 0)", kTrig},
    {"Pi", "PI", "(+ 0) (+ 0) (+ 0) (+ 0) (+ 0)", kTrig},
    {"LoneSAtEnd", "s", "(+ 0) (+ 0) (+ 0)", kTrig},
    {"NameCutShort", "asi", "(+ 0) (+ 0) (+ 0) (+ 0) (+ 0) (+ 0) (+ 0)", kTrig},
    // A minus before a function: the argument's sign, or a term of its own.
    {"SignOfArgument", "sin-30", "(- 30 f1) (+ 0) (+ 0)", kNone},
    {"MinusAfterClosedFunction", "sin(30)-1", "(+ 30 f1 o1 c1) (- 1) (+ 0) (+ 0)", kNone},
    {"MinusReplacesTimes", "2*sin-30", "(+ 2) (- 30 f1) (+ 0) (+ 0)", kNone},
    {"MinusCos", "-cos(45)", "(+ 0) (- 45 f2 o1 c1) (+ 0) (+ 0)", kNone},
    {"TwoMinusCos", "2-cos(60)", "(+ 2) (- 60 f2 o1 c1) (+ 0) (+ 0)", kNone},
    // Characters outside the language touch no term.
    {"BadCharacter", "1#2", "(+ 3)", kBadChar},
    {"BadCharacterBetweenTerms", "2+#3", "(+ 2) (+ 3)", kBadChar},
};

INSTANTIATE_TEST_SUITE_P(Scan, ScanTable, ::testing::ValuesIn(kScanCases), CaseName{});

}  // namespace
