// CrMath.h's functions: each calls the build of the fast paths chosen at the first call.
#include <atomic>
#include <cstdlib>
#include <string_view>

#include "CrMath.h"
#include "Paths.h"

namespace quorbit1::math {

namespace {

#define QUORBIT1_MATH_PATH_TABLE(ns)                                                            \
    Path {                                                                                      \
#ns, &ns::Exp, &ns::Log, &ns::Log10, &ns::Pow, &ns::Sin, &ns::Cos, &ns::Tan, &ns::Asin, \
            &ns::Acos, &ns::Atan                                                                \
    }

constexpr Path kPortable = QUORBIT1_MATH_PATH_TABLE(portable);
#if QUORBIT1_MATH_HAS_FUSED
constexpr Path kFused = QUORBIT1_MATH_PATH_TABLE(fused);
constexpr const Path* kPaths[] = {&kPortable, &kFused, nullptr};
#else
constexpr const Path* kPaths[] = {&kPortable, nullptr};
#endif

const Path& Choose() {
    const char* wanted = std::getenv("QUORBIT1_MATH_PATH");
    if (wanted != nullptr && std::string_view(wanted) == "portable") {
        return kPortable;
    }
#if QUORBIT1_MATH_HAS_FUSED
    if (Runnable(kFused)) {
        return kFused;
    }
#endif
    return kPortable;
}

}  // namespace

bool Runnable(const Path& path) {
#if QUORBIT1_MATH_HAS_FUSED
    if (&path == &kFused) {
        // Before any constructor may have run: the scan's table of powers of ten is made with
        // Pow.
        __builtin_cpu_init();
        return __builtin_cpu_supports("fma");
    }
#endif
    return &path == &kPortable;
}

const Path* const* Paths() {
    return kPaths;
}

namespace {

// Chosen at the first call, without a lock: every thread that finds no choice yet makes the same
// one.
std::atomic<const Path*> g_chosen{nullptr};

}  // namespace

const Path& ChosenPath() {
    const Path* chosen = g_chosen.load(std::memory_order_relaxed);
    if (chosen == nullptr) {
        chosen = &Choose();
        g_chosen.store(chosen, std::memory_order_relaxed);
    }
    return *chosen;
}

double Exp(double x) {
    return ChosenPath().exp(x);
}
double Log(double x) {
    return ChosenPath().log(x);
}
double Log10(double x) {
    return ChosenPath().log10(x);
}
double Pow(double x, double y) {
    return ChosenPath().pow(x, y);
}
double Sin(double x) {
    return ChosenPath().sin(x);
}
double Cos(double x) {
    return ChosenPath().cos(x);
}
double Tan(double x) {
    return ChosenPath().tan(x);
}
double Asin(double x) {
    return ChosenPath().asin(x);
}
double Acos(double x) {
    return ChosenPath().acos(x);
}
double Atan(double x) {
    return ChosenPath().atan(x);
}

}  // namespace quorbit1::math
