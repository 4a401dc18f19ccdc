#include <cstdint>
#include <cstdio>

#include "BitCast.h"
#include "Fixed.h"
#include "TablesCompute.h"

namespace quorbit1::math {

namespace {

// In WideFixed: the fourth part of pi/2 lies at 2^-123, where Fixed keeps too few bits.
using F = WideFixed;

DD ToDD(const F& v) {
    const double hi = v.ToDouble();
    return {hi, (v - F::FromDouble(hi)).ToDouble()};
}

// d with its last 20 bits cleared: 33 significant bits.
double Top33Bits(double d) {
    return quorbit1::BitCast<double>(quorbit1::BitCast<std::uint64_t>(d) &
                                     ~((std::uint64_t{1} << 20) - 1));
}

std::string Hex(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%a", d);
    return buf;
}

std::string Pair(const DD& d) {
    return "{" + Hex(d.hi) + ", " + Hex(d.lo) + "}";
}

// a1 = b0 and a_{k+1} = b_k / (k + 1) for k = 1..9, from b0, b1 and the recurrence that gives
// b_{k+1} from b_k and b_{k-1}.
template <class Next>
Tables::Taylor TaylorRow(F before, F b, Next next) {
    Tables::Taylor row{};
    row.a1 = ToDD(before);
    for (std::uint32_t k = 1; k <= 9; ++k) {
        row.a[k - 1] = b.DivSmall(k + 1).ToDouble();
        const F after = next(b, before, k);
        before = b;
        b = after;
    }
    return row;
}

// One entry of a table as the source writes it, and a whole table, an entry a line.
std::string Entry(double d) {
    return Hex(d);
}

std::string Entry(const DD& d) {
    return Pair(d);
}

std::string Entry(const Tables::Taylor& row) {
    std::string s = "{" + Pair(row.a1) + ", {";
    for (const double d : row.a) {
        s += Hex(d) + ", ";
    }
    return s + "}}";
}

template <class T, std::size_t N>
std::string List(const T (&entries)[N]) {
    std::string s = "{";
    for (const T& e : entries) {
        s += Entry(e) + ",\n";
    }
    return s + "}";
}

}  // namespace

Tables ComputeTables() {
    Tables t{};
    for (std::uint32_t j = 0; j < 128; ++j) {
        t.exp2[j] = ToDD(ExpOfFixed(Ln2<F>().MulSmall(j).DivSmall(128)));
    }
    const F step = Ln2<F>().DivSmall(128);
    t.l1 = Top33Bits(step.ToDouble());
    const F rest = step - F::FromDouble(t.l1);
    t.l2 = rest.ToDouble();
    t.l3 = (rest - F::FromDouble(t.l2)).ToDouble();
    for (std::size_t k = Tables::kLogFirst; k <= 724; ++k) {
        const std::size_t i = k - Tables::kLogFirst;
        t.c[i] = 512.0 / static_cast<double>(k);
        t.minusLogC[i] = ToDD(-LogFixed<F>(t.c[i]));
    }
    t.ln2Hi = quorbit1::BitCast<double>(quorbit1::BitCast<std::uint64_t>(Ln2<F>().ToDouble()) &
                                        ~((std::uint64_t{1} << 11) - 1));
    t.ln2Lo = (Ln2<F>() - F::FromDouble(t.ln2Hi)).ToDouble();
    t.ln2 = ToDD(Ln2<F>());
    t.invLn10 = ToDD(F::FromInt(1) / Ln10<F>());
    t.ln10 = ToDD(Ln10<F>());
    for (std::uint32_t j = 0; j < 205; ++j) {
        const F a = F::FromInt(j).DivSmall(256);
        t.sinJ[j] = ToDD(SinFixed(a));
        t.cosJ[j] = ToDD(CosFixed(a));
    }
    for (std::uint32_t j = 0; j < 257; ++j) {
        t.atanJ[j] = ToDD(j == 0 ? F() : AtanFixed(F::FromInt(j), F::FromInt(256)));
    }
    t.piOver2 = ToDD(PiOver2<F>());
    t.pi = ToDD(PiOver2<F>().MulSmall(2));
    F pio2Rest = PiOver2<F>();
    for (int i = 0; i < 4; ++i) {
        const double part = pio2Rest.ToDouble();
        t.pio2[i] = i < 2 ? Top33Bits(part) : part;
        pio2Rest = pio2Rest - F::FromDouble(t.pio2[i]);
    }
    // At c = i/64 the derivative's coefficients b_k = (k + 1) a_{k+1}: for asin from
    // (1 - x^2) asin'' = x asin', (1 - c^2)(k + 1) b_{k+1} = c (2k + 1) b_k + k b_{k-1}; for atan
    // from (1 + x^2) atan' = 1, (1 + c^2) b_{k+1} = -(2c b_k + b_{k-1}); 1 -+ c^2 = (4096 -+ i^2)
    // / 4096.
    for (std::uint32_t i = 0; i <= 32; ++i) {
        const std::uint32_t oneMinusC2 = 4096 - i * i;
        const F root = Sqrt(F::FromInt(oneMinusC2).DivSmall(4096));
        t.asinAt[i] = ToDD(i == 0 ? F() : AtanFixed(F::FromInt(i).DivSmall(64), root));
        F before = F::FromInt(1) / root;
        F b = before.MulSmall(64 * i).DivSmall(oneMinusC2);
        t.asinTaylor[i] = TaylorRow(before, b, [&](const F& bk, const F& bk1, std::uint32_t k) {
            return (bk.MulSmall(i * (2 * k + 1)).DivSmall(64) + bk1.MulSmall(k))
                .MulSmall(4096)
                .DivSmall(oneMinusC2 * (k + 1));
        });
    }
    for (std::uint32_t i = 0; i <= 64; ++i) {
        const std::uint32_t onePlusC2 = 4096 + i * i;
        const F before = F::FromInt(4096).DivSmall(onePlusC2);
        const F b = -before.MulSmall(128 * i).DivSmall(onePlusC2);
        t.atanTaylor[i] = TaylorRow(before, b, [&](const F& bk, const F& bk1, std::uint32_t) {
            return -(bk.MulSmall(128 * i) + bk1.MulSmall(4096)).DivSmall(onePlusC2);
        });
    }
    return t;
}

std::string TablesSource(const Tables& t) {
    std::string pio2 = "{";
    for (const double d : t.pio2) {
        pio2 += Hex(d) + ", ";
    }
    return "// Made by TablesSource (TablesCompute.cpp) from the accurate path; a test checks it.\n"
           "#include \"Tables.h\"\n\nnamespace quorbit1::math {\n\n"
           "// clang-format off\nconst Tables kTables = {\n" +
           List(t.exp2) + ",\n" + Hex(t.l1) + ", " + Hex(t.l2) + ", " + Hex(t.l3) + ",\n" +
           List(t.c) + ",\n" + List(t.minusLogC) + ",\n" + Hex(t.ln2Hi) + ", " + Hex(t.ln2Lo) +
           ",\n" + Pair(t.ln2) + ",\n" + Pair(t.invLn10) + ",\n" + Pair(t.ln10) + ",\n" +
           List(t.sinJ) + ",\n" + List(t.cosJ) + ",\n" + List(t.atanJ) + ",\n" +
           List(t.atanTaylor) + ",\n" + Pair(t.piOver2) + ",\n" + Pair(t.pi) + ",\n" + pio2 +
           "},\n" + List(t.asinAt) + ",\n" + List(t.asinTaylor) +
           ",\n};\n// clang-format on\n\n}  // namespace quorbit1::math\n";
}

}  // namespace quorbit1::math
