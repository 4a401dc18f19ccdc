// Replays the fuzzer's seeds and every input it ever found a fault with through the same
// checks, so a fixed fault stays fixed in builds without clang.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "Equation.h"
#include "FuzzChecks.h"

namespace {

TEST(FuzzReplay, SeedsAndFindingsPassTheChecks) {
    int replayed = 0;
    quorbit1::CEquation reused;
    for (const char* dir : {QUORBIT1_FUZZ_DIR "/seeds", QUORBIT1_FUZZ_DIR "/findings"}) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.') {
                continue;
            }
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
            const std::string failure = quorbit1::fuzz::CheckInput(
                reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &reused);
            EXPECT_EQ(failure, "") << entry.path();
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 100);
}

}  // namespace
