// The tables of the fast paths. kTables (TablesData.cpp) is a copy of what the accurate path
// makes (tests/math/TablesCompute.h), written out so that no program spends its start on them;
// a test computes them again and compares every bit, and prints the file when they differ.
#pragma once

#include <cstddef>

#include "DoubleDouble.h"

namespace quorbit1::math {

struct Tables {
    // A function's Taylor coefficients at a point c but the first, f(c) = a0 (kept beside
    // them): f(c + h) = a0 + a1 h + a[0] h^2 + ... + a[8] h^10.
    struct Taylor {
        DD a1;
        double a[9];
    };

    // e^x: 2^(j/128) for j = 0..127; ln 2 / 128 as l1 (33 bits, so n l1 is exact for every n
    // used) + l2 + l3.
    DD exp2[128];
    double l1;
    double l2;
    double l3;
    // ln x: for m near k/512 (k = kLogFirst..724), c = 512/k rounded, and -ln c, at k -
    // kLogFirst; ln 2 as a first part of 42 bits and the rest.
    static constexpr std::size_t kLogFirst = 362;
    double c[363];
    DD minusLogC[363];
    double ln2Hi;
    double ln2Lo;
    DD ln2;
    DD invLn10;
    DD ln10;
    // Sines and cosines: sin(j/256) and cos(j/256) for j = 0..204 (a little past pi/4).
    DD sinJ[205];
    DD cosJ[205];
    // Arc tangents: atan(j/256) for j = 0..256; at c = i/64 (a0 = atanJ[4i]) the rest of the
    // Taylor polynomial, a1 = 1 / (1 + c^2), with the terms left out below 2^-72 of atan(c + h)
    // for |h| <= 1/128.
    DD atanJ[257];
    Taylor atanTaylor[65];
    DD piOver2;
    DD pi;
    // pi/2 as the sum of four: two of 33 bits, then two doubles.
    double pio2[4];
    // asin at c = i/64 for i = 0..32 and the rest of its Taylor polynomial there, a1 = 1 /
    // sqrt(1 - c^2), with the terms left out below 2^-72 of asin(c + h) for |h| <= 1/128.
    DD asinAt[33];
    Taylor asinTaylor[33];
};

extern const Tables kTables;

}  // namespace quorbit1::math
