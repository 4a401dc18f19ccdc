// The calculator's own maths functions, correctly rounded: each returns the double nearest to
// the exact mathematical value (ties to even), the same bits on every machine with IEEE double
// arithmetic, with C's special values (NaN, infinities, signed zeros; a domain error gives NaN,
// an overflow infinity). They use + - * / and exact integer operations only.
#pragma once

namespace quorbit1::math {

double Exp(double x);
double Log(double x);
double Log10(double x);
double Pow(double x, double y);
// Radians in and out.
double Sin(double x);
double Cos(double x);
double Tan(double x);
double Asin(double x);
double Acos(double x);
double Atan(double x);

}  // namespace quorbit1::math
