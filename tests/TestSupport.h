// Helpers shared by the test tables: flag sets, term-list text and number comparison.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Equation.h"

namespace testing_support {

enum Flag : unsigned {
    kNone = 0,
    kEmpty = 1u << 0,
    kParens = 1u << 1,
    kTrig = 1u << 2,
    kSpaces = 1u << 3,
    kSeqOps = 1u << 4,
    kLog10 = 1u << 5,
    kLn = 1u << 6,
    kDomain = 1u << 7,
    kLong = 1u << 8,
    kBadChar = 1u << 9,
};

// Names each row of a parameterised table after its own name field.
struct CaseName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

inline unsigned FlagsOf(const CEquation& e) {
    unsigned f = 0;
    const int* flags[] = {&e.m_errEmpty,      &e.m_errParens,   &e.m_errTrigExp, &e.m_errSpaces,
                          &e.m_errSeqOps,     &e.m_errLog10Neg, &e.m_errLnNeg,   &e.m_errDomain,
                          &e.m_errLongNumber, &e.m_errBadChar};
    for (unsigned i = 0; i < sizeof flags / sizeof flags[0]; ++i) {
        if (*flags[i] != 0) {
            f |= 1u << i;
        }
    }
    return f;
}

inline std::string FlagNames(unsigned f) {
    static const char* names[] = {"empty", "parens", "trig",   "spaces", "seqops",
                                  "log10", "ln",     "domain", "long",   "badchar"};
    std::string s;
    for (unsigned i = 0; i < 10; ++i) {
        if ((f & (1u << i)) != 0) {
            s += s.empty() ? "" : "|";
            s += names[i];
        }
    }
    return s.empty() ? "none" : s;
}

// A term list as "(+ 2) (* 4 f1 o1 c2)": op, value, and the function code and bracket counts
// where they are not 0.
inline std::string TermsText(const TermArray& terms) {
    std::string s;
    for (int i = 0; i < terms.GetSize(); ++i) {
        const Term t = terms.GetAt(i);
        char buf[96];
        std::snprintf(buf, sizeof buf, "(%c %.15g", t.op, t.value);
        s += s.empty() ? "" : " ";
        s += buf;
        if (t.funcCode != 0) {
            s += " f" + std::to_string(t.funcCode);
        }
        if (t.openParens != 0) {
            s += " o" + std::to_string(t.openParens);
        }
        if (t.closeParens != 0) {
            s += " c" + std::to_string(t.closeParens);
        }
        s += ")";
    }
    return s;
}

inline std::string Repeat(const std::string& piece, int n) {
    std::string s;
    s.reserve(piece.size() * static_cast<std::size_t>(n));
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
