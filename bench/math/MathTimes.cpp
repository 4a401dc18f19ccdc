// Each correctly rounded function's time against the C library's, on the same arguments: the
// kind the calculator's texts give them (angles, sums of a few terms, powers of ten). For each
// build of the functions this processor runs (portable, and fused where it has a fused
// multiply-add), ns per call as the median of interleaved rounds, their ratio, and the
// geometric mean of the ratios. Natively and, built by emscripten, under node, where the C
// library is the WebAssembly build's own.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "Paths.h"

namespace {

using quorbit1::math::Path;

struct MathCase {
    const char* name;
    double (*ours)(const Path& path, double x, double y);
    double (*libm)(double x, double y);
    double lo;  // arguments in [lo, hi], spread evenly, or by their logarithm when lo > 0
    double hi;
};

// A function of one argument, ours and the C library's of the same name.
// clang-format off
#define QUORBIT1_UNARY_CASE(f, lo, hi)                                   \
    MathCase{#f, [](const Path& p, double x, double) { return p.f(x); }, \
             [](double x, double) { return std::f(x); }, lo, hi}
// clang-format on

const MathCase kMathCases[] = {
    QUORBIT1_UNARY_CASE(exp, -700, 700),
    QUORBIT1_UNARY_CASE(log, 1e-300, 1e300),
    QUORBIT1_UNARY_CASE(log10, 1e-300, 1e300),
    {"pow", [](const Path& p, double x, double y) { return p.pow(x, y); },
     [](double x, double y) { return std::pow(x, y); }, 0.01, 100},
    QUORBIT1_UNARY_CASE(sin, -400, 400),
    QUORBIT1_UNARY_CASE(cos, -400, 400),
    QUORBIT1_UNARY_CASE(tan, -400, 400),
    QUORBIT1_UNARY_CASE(asin, -1, 1),
    QUORBIT1_UNARY_CASE(acos, -1, 1),
    QUORBIT1_UNARY_CASE(atan, -100, 100),
};

constexpr int kArguments = 4096;
constexpr int kRounds = 9;

std::vector<std::pair<double, double>> Arguments(const MathCase& m) {
    std::mt19937_64 g(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<std::pair<double, double>> args;
    for (int i = 0; i < kArguments; ++i) {
        const double x = m.lo > 0
                             ? std::exp(std::log(m.lo) + u(g) * (std::log(m.hi) - std::log(m.lo)))
                             : m.lo + u(g) * (m.hi - m.lo);
        args.emplace_back(x, (u(g) - 0.5) * 40);
    }
    return args;
}

volatile double g_sink;

// ns per call of f over the arguments, repeated until a round takes a few milliseconds.
template <class F>
double NsPerCall(const std::vector<std::pair<double, double>>& args, int repeats, F f) {
    const auto start = std::chrono::steady_clock::now();
    double sum = 0;
    for (int r = 0; r < repeats; ++r) {
        for (const auto& [x, y] : args) {
            sum += f(x, y);
        }
    }
    const auto end = std::chrono::steady_clock::now();
    g_sink = sum;
    return std::chrono::duration<double, std::nano>(end - start).count() /
           (static_cast<double>(repeats) * static_cast<double>(args.size()));
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    for (const Path* const* p = quorbit1::math::Paths(); *p != nullptr; ++p) {
        const Path& path = **p;
        if (!quorbit1::math::Runnable(path)) {
            continue;
        }
        std::printf("%s build\n%-8s %12s %12s %8s\n", path.name, "function", "quorbit1 ns",
                    "C library ns", "ratio");
        double logSum = 0;
        double worst = 0;
        for (const MathCase& m : kMathCases) {
            const auto args = Arguments(m);
            std::vector<double> ours;
            std::vector<double> libm;
            for (int round = 0; round < kRounds; ++round) {
                ours.push_back(NsPerCall(args, repeats,
                                         [&](double x, double y) { return m.ours(path, x, y); }));
                libm.push_back(NsPerCall(args, repeats, m.libm));
            }
            const double ratio = Median(ours) / Median(libm);
            logSum += std::log(ratio);
            worst = std::max(worst, ratio);
            std::printf("%-8s %12.1f %12.1f %7.1fx\n", m.name, Median(ours), Median(libm), ratio);
        }
        std::printf("geometric mean %.2fx, worst %.1fx\n\n",
                    std::exp(logSum / static_cast<double>(std::size(kMathCases))), worst);
    }
    return 0;
}
