// The same bits on every machine: a digest of the maths functions on many arguments and of the
// engine on many texts, against the digests of tests/data/digests.tsv, which the MPFR-checked
// build on x86-64 made. The 32-bit x86 and WebAssembly builds run this too, with no oracle of
// their own. Arguments and texts come from the raw outputs of a fixed generator and exact
// operations only, so they are the same everywhere.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "BitCast.h"
#include "CrMath.h"
#include "Equation.h"
#include "Flags.h"
#include "TestSupport.h"

namespace {

namespace math = quorbit1::math;

// FNV-1a over 64-bit words.
struct Digest {
    std::uint64_t h = 14695981039346656037u;
    void Add(std::uint64_t v) {
        for (int i = 0; i < 8; ++i, v >>= 8) {
            h = (h ^ (v & 0xFF)) * 1099511628211u;
        }
    }
    void Add(double d) { Add(quorbit1::BitCast<std::uint64_t>(d)); }
    std::string Hex() const {
        char buf[20];
        std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
        return buf;
    }
};

// Any double, or m 2^e with m below 2^53 and e in [-1100, 1100) (exact, 0 and infinity at the
// ends), or a small multiple of 2^-k: each a third of the time, either sign.
double Argument(std::mt19937_64& g) {
    const std::uint64_t r = g();
    const double sign = (r & 1) != 0 ? -1.0 : 1.0;
    const auto m = static_cast<double>(g() >> 11);
    switch (r % 3) {
        case 0:
            return quorbit1::BitCast<double>(g());
        case 1:
            return sign * m * std::ldexp(1.0, static_cast<int>((r >> 8) % 2200) - 1152);
        default:
            return sign * m * std::ldexp(1.0, -53 - static_cast<int>((r >> 8) % 12));
    }
}

constexpr long kArguments = 200000;

std::map<std::string, std::string> Expected() {
    std::map<std::string, std::string> digests;
    for (const auto& row : quorbit1::test::ReadTable("digests.tsv")) {
        digests[row.at(0)] = row.at(1);
    }
    return digests;
}

struct NamedFunction {
    const char* name;
    double (*f)(double);
};
constexpr NamedFunction kFunctions[] = {
    {"sin", math::Sin},   {"cos", math::Cos},     {"tan", math::Tan},
    {"asin", math::Asin}, {"acos", math::Acos},   {"atan", math::Atan},
    {"log", math::Log},   {"log10", math::Log10}, {"exp", math::Exp},
};

TEST(SameBits, MathFunctions) {
    const auto expected = Expected();
    for (const auto& f : kFunctions) {
        std::mt19937_64 g(2026);
        Digest d;
        for (long i = 0; i < kArguments; ++i) {
            d.Add(f.f(Argument(g)));
        }
        EXPECT_EQ(d.Hex(), expected.count(f.name) != 0 ? expected.at(f.name) : "")
            << f.name << "\t" << d.Hex();
    }
    std::mt19937_64 g(2027);
    Digest d;
    for (long i = 0; i < kArguments; ++i) {
        const double x = Argument(g);
        const double y = Argument(g);
        d.Add(math::Pow(x, y));
        d.Add(math::Pow(x, static_cast<double>(static_cast<int>(g() % 80) - 40)));
    }
    EXPECT_EQ(d.Hex(), expected.count("pow") != 0 ? expected.at("pow") : "") << "pow\t" << d.Hex();
}

// The arguments hardest to round that the searches found, which only the accurate path
// decides: the results the table gives, on every target.
TEST(SameBits, HardCases) {
    int checked = 0;
    for (const auto& row : quorbit1::test::ReadTable("math_hard.tsv")) {
        const double x = std::strtod(row.at(1).c_str(), nullptr);
        if (row.at(0) == "pow") {
            const double y = std::strtod(row.at(2).c_str(), nullptr);
            EXPECT_EQ(math::Pow(x, y), std::strtod(row.at(3).c_str(), nullptr)) << row.at(1);
            ++checked;
            continue;
        }
        for (const auto& f : kFunctions) {
            if (row.at(0) == f.name) {
                EXPECT_EQ(f.f(x), std::strtod(row.at(2).c_str(), nullptr)) << f.name << row.at(1);
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50);
}

// Texts of numbers, names, operators and brackets in both angle units: the answer's bits and
// every flag.
TEST(SameBits, EngineAnswers) {
    const char* const pieces[] = {
        "1",     "2.5",  "0",    ".5",   "10",    "3",    "x",     "y",    "t",     "1e-7",
        "45",    "sin(", "cos(", "tan(", "ln(",   "log(", "alog(", "aln(", "asin(", "acos(",
        "atan(", "(",    ")",    "-(",   "+",     "-",    "*",     "/",    "^",     " ",
        "e",     "#",    "0.3",  "710",  "1e300", "-",    "90",    "180",  "0.001", "7",
    };
    std::mt19937_64 g(2028);
    quorbit1::CEquation eq;
    eq.m_varX = 2.5;
    eq.m_varY = -0.75;
    eq.m_varT = 1e10;
    Digest d;
    for (long i = 0; i < 100000; ++i) {
        std::string text;
        for (auto n = g() % 12; n > 0; --n) {
            text += pieces[g() % std::size(pieces)];
        }
        eq.m_text = text;
        eq.m_angleMode = static_cast<int>(i % 2);
        eq.Solve();
        d.Add(eq.m_result);
        d.Add(std::uint64_t{quorbit1::RaisedFlags(eq)});
    }
    const auto expected = Expected();
    EXPECT_EQ(d.Hex(), expected.count("engine") != 0 ? expected.at("engine") : "")
        << "engine\t" << d.Hex();
}

}  // namespace
