// The maths functions come in builds of the same code: portable, for every target, with
// Dekker's product; and, on x86-64 with GCC, fused, which takes the exact product's error from
// the processor's fused multiply-add. CrMath.h's functions call the build chosen once, at the
// first call, by the processor's features (QUORBIT1_MATH_PATH=portable in the environment
// keeps the portable one); both give the same bits, as every result is correctly rounded.
#pragma once

#ifndef QUORBIT1_MATH_PATH
#define QUORBIT1_MATH_PATH portable
#endif

namespace quorbit1::math {

// One build's functions, as CrMath.h declares them.
struct Path {
    const char* name;
    double (*exp)(double);
    double (*log)(double);
    double (*log10)(double);
    double (*pow)(double, double);
    double (*sin)(double);
    double (*cos)(double);
    double (*tan)(double);
    double (*asin)(double);
    double (*acos)(double);
    double (*atan)(double);
};

#define QUORBIT1_MATH_DECLARE_PATH(ns) \
    namespace ns {                     \
    double Exp(double x);              \
    double Log(double x);              \
    double Log10(double x);            \
    double Pow(double x, double y);    \
    double Sin(double x);              \
    double Cos(double x);              \
    double Tan(double x);              \
    double Asin(double x);             \
    double Acos(double x);             \
    double Atan(double x);             \
    }

QUORBIT1_MATH_DECLARE_PATH(portable)
#if QUORBIT1_MATH_HAS_FUSED
QUORBIT1_MATH_DECLARE_PATH(fused)
#endif

// The builds there are, the portable one first, and the one the functions call.
const Path* const* Paths();  // ends with nullptr
// Whether this processor can run that build.
bool Runnable(const Path& path);
const Path& ChosenPath();

}  // namespace quorbit1::math
