// Many random texts, well formed and not: the engine's shortcuts agree with the plain walks
// they replace, one object reused gives what a fresh one gives, attaching an observer changes
// nothing, and no term ever owns more brackets than the text holds.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Equation.h"
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
        ASSERT_EQ(Bits(reused.m_result), Bits(fresh.m_result)) << text;
        ASSERT_EQ(FlagsOf(reused), FlagsOf(fresh)) << text;

        CEquation observed;
        BracketBound bound;
        observed.SetObserver(&bound);
        observed.m_text = text;
        observed.m_angleMode = mode;
        observed.Solve();
        ASSERT_EQ(Bits(observed.m_result), Bits(fresh.m_result)) << text;
        ASSERT_EQ(FlagsOf(observed), FlagsOf(fresh)) << text;
        ASSERT_LE(bound.maxCount, observed.m_parenTotal) << text;
    }
    EXPECT_EQ(reused.SelfCheckFailures(), 0);
}

}  // namespace
