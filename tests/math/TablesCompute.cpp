#include <cstdint>
#include <cstdio>

#include "BitCast.h"
#include "Fixed.h"
#include "TablesCompute.h"

namespace quorbit1::math {

namespace {

DD ToDD(const Fixed& v) {
    const double hi = v.ToDouble();
    return {hi, (v - Fixed::FromDouble(hi)).ToDouble()};
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

}  // namespace

Tables ComputeTables() {
    Tables t{};
    for (std::uint32_t j = 0; j < 128; ++j) {
        t.exp2[j] = ToDD(ExpOfFixed(Ln2().MulSmall(j).DivSmall(128)));
    }
    const Fixed step = Ln2().DivSmall(128);
    t.l1 = Top33Bits(step.ToDouble());
    const Fixed rest = step - Fixed::FromDouble(t.l1);
    t.l2 = rest.ToDouble();
    t.l3 = (rest - Fixed::FromDouble(t.l2)).ToDouble();
    for (std::size_t k = Tables::kLogFirst; k <= 724; ++k) {
        const std::size_t i = k - Tables::kLogFirst;
        t.c[i] = 512.0 / static_cast<double>(k);
        t.minusLogC[i] = ToDD(-LogFixed(t.c[i]));
    }
    t.ln2Hi = quorbit1::BitCast<double>(quorbit1::BitCast<std::uint64_t>(Ln2().ToDouble()) &
                                        ~((std::uint64_t{1} << 11) - 1));
    t.ln2Lo = (Ln2() - Fixed::FromDouble(t.ln2Hi)).ToDouble();
    t.ln2 = ToDD(Ln2());
    t.invLn10 = ToDD(Fixed::FromInt(1) / Ln10());
    t.ln10 = ToDD(Ln10());
    for (std::uint32_t j = 0; j < 205; ++j) {
        const Fixed a = Fixed::FromInt(j).DivSmall(256);
        t.sinJ[j] = ToDD(SinFixed(a));
        t.cosJ[j] = ToDD(CosFixed(a));
    }
    for (std::uint32_t j = 0; j < 257; ++j) {
        t.atanJ[j] = ToDD(j == 0 ? Fixed() : AtanFixed(Fixed::FromInt(j), Fixed::FromInt(256)));
    }
    t.piOver2 = ToDD(PiOver2());
    t.pi = ToDD(PiOver2().MulSmall(2));
    Fixed pio2Rest = PiOver2();
    for (int i = 0; i < 4; ++i) {
        const double part = pio2Rest.ToDouble();
        t.pio2[i] = i < 2 ? Top33Bits(part) : part;
        pio2Rest = pio2Rest - Fixed::FromDouble(t.pio2[i]);
    }
    return t;
}

std::string TablesSource(const Tables& t) {
    std::string s =
        "// Made by TablesSource (TablesCompute.cpp) from the accurate path; a test checks it.\n"
        "#include \"Tables.h\"\n\nnamespace quorbit1::math {\n\n"
        "// clang-format off\nconst Tables kTables = {\n{";
    for (const DD& d : t.exp2) {
        s += Pair(d) + ",\n";
    }
    s += "},\n" + Hex(t.l1) + ", " + Hex(t.l2) + ", " + Hex(t.l3) + ",\n{";
    for (const double c : t.c) {
        s += Hex(c) + ",\n";
    }
    s += "},\n{";
    for (const DD& d : t.minusLogC) {
        s += Pair(d) + ",\n";
    }
    s += "},\n" + Hex(t.ln2Hi) + ", " + Hex(t.ln2Lo) + ",\n" + Pair(t.ln2) + ",\n" +
         Pair(t.invLn10) + ",\n" + Pair(t.ln10) + ",\n";
    for (const auto* list : {&t.sinJ, &t.cosJ}) {
        s += "{";
        for (const DD& d : *list) {
            s += Pair(d) + ",\n";
        }
        s += "},\n";
    }
    s += "{";
    for (const DD& d : t.atanJ) {
        s += Pair(d) + ",\n";
    }
    s += "},\n" + Pair(t.piOver2) + ",\n" + Pair(t.pi) + ",\n{";
    for (const double d : t.pio2) {
        s += Hex(d) + ", ";
    }
    s += "},\n};\n// clang-format on\n\n";
    s += "}  // namespace quorbit1::math\n";
    return s;
}

}  // namespace quorbit1::math
