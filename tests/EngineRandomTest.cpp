// Many random texts, well formed and not: the engine's shortcuts agree with the plain walks
// they replace, one object reused gives what a fresh one gives, attaching an observer changes
// nothing, and no term ever owns more brackets than the text holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "Equation.h"
#include "FuzzChecks.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

// Texts built from the pieces the language is made of, with some noise.
std::string RandomText(std::mt19937& rng, int round) {
    static const char* pieces[] = {
        "0",    "1",   "2",  "3",    "7",   "9", ".",  "0.5", "10",  "(",   ")",   "(",    ")",
        "+",    "-",   "*",  "/",    "^",   " ", "  ", "-(",  "sin", "cos", "tan", "asin", "acos",
        "atan", "log", "ln", "alog", "aln", "x", "t",  "e",   "#",   "0*",  "5/0", "--",   ")("};
    // Up to 90 pieces, so long lists (which the engine tracks rather than walks) come up too.
    std::uniform_int_distribution<int> count(1, round % 4 == 0 ? 90 : 24);
    std::uniform_int_distribution<int> pick(0, sizeof pieces / sizeof pieces[0] - 1);
    std::string text;
    for (int n = count(rng); n > 0; --n) {
        text += pieces[pick(rng)];
    }
    return text;
}

// Texts shaped like what people type: numbers with and without fractions, the four letters,
// functions with and without brackets, nested and negated brackets, now and then a slip.
std::string TypedText(std::mt19937& rng, int depth = 0) {
    static const char* functions[] = {"sin", "cos", "tan",  "asin", "acos", "atan",
                                      "log", "ln",  "alog", "aln",  "SIN",  "Cos"};
    static const char* operators[] = {"+", "-", "*", "/", "^", " + ", " - ", " * ", " / "};
    static const char* slips[] = {"  ", "++", "*-", "e", "#", ")", "(", "0*", "/0", "."};
    const auto roll = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const auto digits = [&](int n) {
        std::string s;
        for (; n > 0; --n) {
            s += static_cast<char>('0' + roll(10));
        }
        return s;
    };
    const auto number = [&]() {
        if (roll(20) == 0) {
            // Around the twenty places a digit can be added at.
            return digits(17 + roll(6)) + (roll(2) == 0 ? "." + digits(17 + roll(6)) : "");
        }
        std::string s = std::to_string(roll(4) == 0 ? roll(100000) : roll(100));
        if (roll(3) == 0) {
            s += "." + std::to_string(roll(1000));
        }
        return roll(8) == 0 ? "0" : s;
    };
    std::string text;
    for (int n = 1 + roll(depth == 0 ? 6 : 3); n > 0; --n) {
        switch (roll(depth < 3 ? 6 : 3)) {
            case 0:
            case 1:
                text += number();
                break;
            case 2:
                text += "xyzt"[roll(4)];
                break;
            case 3:
                text += functions[roll(12)];
                text += roll(5) == 0 ? number() : "(" + TypedText(rng, depth + 1) + ")";
                break;
            case 4:
                text += "(" + TypedText(rng, depth + 1) + ")";
                break;
            default:
                text += "-(" + TypedText(rng, depth + 1) + ")";
                break;
        }
        if (roll(12) == 0) {
            text += slips[roll(10)];
        }
        if (n > 1) {
            text += operators[roll(9)];
        }
    }
    return text;
}

// What a caller may put into the variable slots, the awkward values included.
double RandomSlot(std::mt19937& rng) {
    static const double awkward[] = {0.0,
                                     -0.0,
                                     1e-10,
                                     -1e-10,
                                     1.0,
                                     -1.0,
                                     1e300,
                                     std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::quiet_NaN()};
    std::uniform_int_distribution<int> pick(0, 17);
    const int k = pick(rng);
    return k < 9 ? awkward[k] : std::uniform_real_distribution<double>(-500.0, 500.0)(rng);
}

// QUORBIT1_RANDOM_ROUNDS and QUORBIT1_RANDOM_SEED make a long run by hand with other texts.
int Rounds(int usual) {
    const char* v = std::getenv("QUORBIT1_RANDOM_ROUNDS");
    return v != nullptr ? std::atoi(v) : usual;
}

unsigned Seed(unsigned usual) {
    const char* v = std::getenv("QUORBIT1_RANDOM_SEED");
    return v != nullptr ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : usual;
}

// The compact solve takes its own route; it must leave exactly what the checked general route
// leaves, down to the term list, on short texts and on long ones (where both keep books).
TEST(EngineRandom, CompactSolveLeavesWhatTheGeneralPathLeaves) {
    std::mt19937 rng(Seed(20261207));
    CEquation compact;
    for (int round = 0, rounds = Rounds(30000); round < rounds; ++round) {
        std::string text = round % 3 == 2 ? RandomText(rng, round) : TypedText(rng);
        if (round % 50 == 7) {
            // Long texts of the shapes that need the most passes, and long typed ones.
            std::uniform_int_distribution<int> size(20, 400);
            static const char* shapes[] = {"-(", "(", "0*", "-(0*", "+", "((-("};
            const std::string shape = shapes[(round / 50) % 6];
            text = Repeat(shape, size(rng)) + TypedText(rng) + Repeat(")", size(rng));
            for (int k = round % 4; k > 0; --k) {
                text += "+" + TypedText(rng);
            }
        }
        CEquation general;
        general.SetSelfCheck(true);  // which also keeps it on the general route
        for (CEquation* e : {&general, &compact}) {
            e->m_text = text;
            e->m_angleMode = round % 2;
        }
        general.m_varX = compact.m_varX = RandomSlot(rng);
        general.m_varY = compact.m_varY = RandomSlot(rng);
        general.m_varZ = compact.m_varZ = RandomSlot(rng);
        general.m_varT = compact.m_varT = RandomSlot(rng);
        general.Solve();
        compact.Solve();
        ASSERT_EQ(quorbit1_fuzz::Difference(general, compact), "") << text;
        ASSERT_EQ(general.SelfCheckFailures(), 0) << text;
    }
}

class BracketBound : public CEquationObserver {
public:
    void Scanned(const TermArray&) override {}
    void PassDone(int, int, int, int, const TermArray& terms) override {
        for (int i = 0; i < terms.GetSize(); ++i) {
            const Term t = terms.GetAt(i);
            maxCount = std::max({maxCount, t.openParens, t.closeParens});
        }
        ++passes;
    }
    int maxCount = 0;
    int passes = 0;
};

TEST(EngineRandom, ShortcutsReuseAndObserverChangeNothing) {
    std::mt19937 rng(20261206);
    CEquation reused;
    reused.SetSelfCheck(true);
    for (int round = 0; round < 20000; ++round) {
        const std::string text = RandomText(rng, round);
        const int mode = round % 2;

        CEquation fresh;
        fresh.m_text = text;
        fresh.m_angleMode = mode;
        fresh.Solve();

        reused.m_text = text;
        reused.m_angleMode = mode;
        reused.Solve();
        ASSERT_EQ(quorbit1_fuzz::Difference(reused, fresh), "") << text;

        CEquation observed;
        BracketBound bound;
        observed.SetObserver(&bound);
        observed.m_text = text;
        observed.m_angleMode = mode;
        observed.Solve();
        ASSERT_EQ(quorbit1_fuzz::Difference(observed, fresh), "") << text;
        ASSERT_LE(bound.maxCount, observed.m_parenTotal) << text;
    }
    EXPECT_EQ(reused.SelfCheckFailures(), 0);
}

}  // namespace
