// libFuzzer entry: every input must pass the checks; a failed one aborts, which libFuzzer
// reports with the input that caused it.
#include <cstdio>
#include <cstdlib>

#include "Equation.h"
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static quorbit1::CEquation reused;
    const std::string failure = quorbit1::fuzz::CheckInput(data, size, &reused);
    if (!failure.empty()) {
        std::fprintf(stderr, "check failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
