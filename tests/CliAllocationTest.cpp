// The command line short of memory: a line too large costs that line, not the run.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Allocations.h"
#include "CliApp.h"
#include "TestSupport.h"

using quorbit1::test::Repeat;

namespace {

TEST(ShortOfMemory, TheCommandLineAnswersTheLinesAroundAHugeOne) {
    const struct {
        const char* name;
        std::string line;
    } cases[] = {
        {"terms do not fit", Repeat("1+", 100000) + "1"},
        {"the line does not fit", Repeat("1+", 1500000) + "1"},
    };
    for (const auto& c : cases) {
        std::istringstream in("2*3\n" + c.line + "\n7+1\n");
        std::ostringstream out;
        std::ostringstream err;
        const char* argv[] = {"quorbit1-cli"};
        int status = 0;
        {
            const MemoryShort limit;
            status = quorbit1::RunCli(1, argv, in, out, err);
        }
        EXPECT_EQ(out.str(), "6\n6\tNot enough memory for this expression.\n8\n") << c.name;
        EXPECT_EQ(status, 1) << c.name;
    }
}

}  // namespace
