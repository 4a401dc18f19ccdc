// Helpers shared by the test tables: flag sets, term-list text and number comparison.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

#include <gtest/gtest.h>

#include "Equation.h"

namespace testing_support {

// The evaluator's ten flags as one set, bit i for the i-th in declaration order.
namespace flag {
constexpr unsigned kNone = 0;
constexpr unsigned kEmpty = 1u << 0;
constexpr unsigned kParens = 1u << 1;
constexpr unsigned kTrig = 1u << 2;
constexpr unsigned kSpaces = 1u << 3;
constexpr unsigned kSeqOps = 1u << 4;
constexpr unsigned kLog10 = 1u << 5;
constexpr unsigned kLn = 1u << 6;
constexpr unsigned kDomain = 1u << 7;
constexpr unsigned kLong = 1u << 8;
constexpr unsigned kBadChar = 1u << 9;
}  // namespace flag

// Names each row of a parameterised table after its own name field.
struct CaseName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

inline unsigned FlagsOf(const quorbit1::CEquation& e) {
    const int flags[] = {e.m_errEmpty,      e.m_errParens,   e.m_errTrigExp, e.m_errSpaces,
                         e.m_errSeqOps,     e.m_errLog10Neg, e.m_errLnNeg,   e.m_errDomain,
                         e.m_errLongNumber, e.m_errBadChar};
    unsigned f = 0;
    for (unsigned i = 0; i < std::size(flags); ++i) {
        f |= flags[i] != 0 ? 1u << i : 0u;
    }
    return f;
}

inline std::string FlagNames(unsigned f) {
    static const char* names[] = {"empty", "parens", "trig",   "spaces", "seqops",
                                  "log10", "ln",     "domain", "long",   "badchar"};
    std::string s;
    for (unsigned i = 0; i < std::size(names); ++i) {
        if ((f & (1u << i)) != 0) {
            s += (s.empty() ? "" : "|") + std::string(names[i]);
        }
    }
    return s.empty() ? "none" : s;
}

// A term list as "(+ 2) (* 4 f1 o1 c2)": op, value, and the function code and bracket counts
// where they are not 0.
inline std::string TermsText(std::span<const quorbit1::Term> terms) {
    std::string s;
    for (const quorbit1::Term& t : terms) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%s(%c %.15g", s.empty() ? "" : " ", t.op, t.value);
        s += buf;
        s += t.funcCode != 0 ? " f" + std::to_string(t.funcCode) : "";
        s += t.openParens != 0 ? " o" + std::to_string(t.openParens) : "";
        s += t.closeParens != 0 ? " c" + std::to_string(t.closeParens) : "";
        s += ")";
    }
    return s;
}

inline std::string Repeat(const std::string& piece, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
        s += piece;
    }
    return s;
}

inline std::uint64_t Bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// Both numbers rounded to 14 significant digits agree (NaN matches NaN).
inline bool Same14(double actual, double expected) {
    if (std::isnan(expected) || std::isnan(actual)) {
        return std::isnan(expected) && std::isnan(actual);
    }
    char a[64];
    char b[64];
    std::snprintf(a, sizeof a, "%.13e", actual);
    std::snprintf(b, sizeof b, "%.13e", expected);
    return std::strcmp(a, b) == 0;
}

}  // namespace testing_support
