// The tables of the fast paths. kTables (TablesData.cpp) is a copy of what ComputeTables makes
// with the accurate path, written out so that no program spends its start on them; a test
// computes them again and compares every bit, and prints the file when they differ.
#pragma once

#include <string>

#include "DoubleDouble.h"

namespace quorbit1::math {

struct Tables {
    // e^x: 2^(j/128) for j = 0..127; ln 2 / 128 as l1 (33 bits, so n l1 is exact for every n
    // used) + l2 + l3.
    DD exp2[128];
    double l1;
    double l2;
    double l3;
    // ln x: for m near k/128 (k = 91..181), c = 128/k rounded, and -ln c.
    double c[182];
    DD minusLogC[182];
    DD ln2;
    DD invLn10;
    // Sines and cosines: sin(j/64) and cos(j/64) for j = 0..51 (up to a little past pi/4).
    DD sinJ[52];
    DD cosJ[52];
    // Arc tangents: atan(j/64) for j = 0..64.
    DD atanJ[65];
    DD piOver2;
    DD pi;
};

extern const Tables kTables;

Tables ComputeTables();

// The source of TablesData.cpp for these tables.
std::string TablesSource(const Tables& t);

}  // namespace quorbit1::math
