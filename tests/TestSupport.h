// Helpers shared by the test tables: flag sets, term-list text and number comparison.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Equation.h"
#include "Flags.h"

namespace quorbit1::test {

// Names each row of a parameterised table after its own name field.
struct CaseName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return std::string(info.param.name);
    }
};

// Names each row of a data table after its first field.
struct RowName {
    std::string operator()(const ::testing::TestParamInfo<std::vector<std::string>>& info) const {
        return info.param.at(0);
    }
};

// A field of a data table with its escapes undone: \t, \n, \r, \\ and \xHH stand for a tab, a
// newline, a carriage return, a backslash and any byte.
inline std::string Unescape(const std::string& field) {
    std::string s;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 >= field.size()) {
            s += field[i];
        } else if (field[++i] == 'x') {
            s += static_cast<char>(std::strtol(field.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            s += field[i] == 't'   ? '\t'
                 : field[i] == 'n' ? '\n'
                 : field[i] == 'r' ? '\r'
                                   : field[i];
        }
    }
    return s;
}

// The rows of a table in tests/data: one case per line, its fields separated by tabs; empty
// lines and lines that start with '#' are left out.
inline std::vector<std::vector<std::string>> ReadTable(const char* file) {
    std::ifstream in(std::string(QUORBIT1_TEST_DATA) + "/" + file);
    EXPECT_TRUE(in.good()) << file;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        rows.emplace_back();
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            rows.back().push_back(line.substr(start, tab - start));
        }
    }
    return rows;
}

// The evaluator's flags as one set, bit i for kFlags[i].
inline unsigned FlagsOf(const quorbit1::CEquation& e) {
    return quorbit1::RaisedFlags(e);
}

// A set of flags by their keys, "unbalancedParentheses|invalidTrigOrExponent", or "none".
inline std::string FlagNames(unsigned f) {
    std::string s;
    for (std::size_t i = 0; i < quorbit1::kFlagCount; ++i) {
        if ((f & (1u << i)) != 0) {
            s += (s.empty() ? "" : "|") + std::string(quorbit1::kFlags[i].key);
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

}  // namespace quorbit1::test
