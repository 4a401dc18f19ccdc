// Random texts for the tests that run many: pieces of the language with some noise, texts
// shaped like what people type, long pass-heavy ones, and awkward values for the slots.
#pragma once

#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "TestSupport.h"

namespace quorbit1::test {

// Texts built from the pieces the language is made of, with some noise.
inline std::string RandomText(std::mt19937& rng, int round) {
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
inline std::string TypedText(std::mt19937& rng, int depth = 0) {
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
inline double RandomSlot(std::mt19937& rng) {
    const double inf = std::numeric_limits<double>::infinity();
    const double awkward[] = {0.0, -0.0, 1e-10, -1e-10, 1.0, -1.0, 1e300, inf, inf - inf};
    const int k = std::uniform_int_distribution<int>(0, 17)(rng);
    return k < 9 ? awkward[k] : std::uniform_real_distribution<double>(-500.0, 500.0)(rng);
}

// QUORBIT1_RANDOM_ROUNDS and QUORBIT1_RANDOM_SEED make a long run by hand with other texts.
inline int Rounds(int usual) {
    const char* v = std::getenv("QUORBIT1_RANDOM_ROUNDS");
    return v != nullptr ? std::atoi(v) : usual;
}

inline unsigned Seed(unsigned usual) {
    const char* v = std::getenv("QUORBIT1_RANDOM_SEED");
    return v != nullptr ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : usual;
}

// The longest pass-heavy shapes, with typed texts inside and behind them: lists long enough to
// be tracked rather than walked.
inline std::string LongText(std::mt19937& rng, int round) {
    static const char* shapes[] = {"-(", "(", "0*", "-(0*", "+", "((-("};
    // Now and then past 4,096 terms, where the books' sets take a second summary word.
    std::uniform_int_distribution<int> size(20, round % 1000 == 7 ? 2600 : 400);
    std::string text =
        Repeat(shapes[(round / 50) % 6], size(rng)) + TypedText(rng) + Repeat(")", size(rng));
    for (int k = round % 4; k > 0; --k) {
        text += "+" + TypedText(rng);
    }
    return text;
}

}  // namespace quorbit1::test
