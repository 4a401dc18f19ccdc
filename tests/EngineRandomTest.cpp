// Many random texts, well formed and not, through the checks the fuzzer makes of every input:
// the evaluator with its shortcuts leaves what the plain walks leave, one object reused gives
// what a fresh one gives, attaching an observer changes nothing, no term ever owns more
// brackets than the text holds, and invalid characters are reported exactly when present.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "Equation.h"
#include "FuzzChecks.h"
#include "RandomTexts.h"
#include "TestSupport.h"

using namespace quorbit1::test;

namespace {

// Each text goes through the fuzzer's checks: solved by the plain walks with an observer, then
// with the shortcuts on a fresh evaluator and on one that solved every text before it, all
// three leaving the same answer, flags, flag positions and term list.
TEST(EngineRandom, ShortcutsReuseAndObserverChangeNothing) {
    std::mt19937 rng(Seed(20261207));
    quorbit1::CEquation reused;
    for (int round = 0, rounds = Rounds(30000); round < rounds; ++round) {
        const std::string text = round % 50 == 7  ? LongText(rng, round)
                                 : round % 3 == 2 ? RandomText(rng, round)
                                                  : TypedText(rng);
        // The fuzzer's input: the angle unit, the variable slots, the text.
        std::string input = {static_cast<char>(round % 2), 1};
        for (int k = 0; k < 4; ++k) {
            const double slot = RandomSlot(rng);
            input.append(reinterpret_cast<const char*>(&slot), sizeof slot);
        }
        input += text;
        ASSERT_EQ(quorbit1::fuzz::CheckInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                             input.size(), &reused),
                  "")
            << text;
    }
}

}  // namespace
