// Solving a text of a size the evaluator has already solved allocates nothing: the term list,
// the character buffer and the bookkeeping keep their storage from one solve to the next. And
// a text too large for the memory there is costs that one command, not the program. Every
// allocation of this test program is counted, and large ones can be made to fail, so it runs
// as a program of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "Allocations.h"
#include "Equation.h"
#include "OkCommand.h"
#include "TestSupport.h"

std::atomic<long> g_allocations{0};
std::atomic<std::size_t> g_failFrom{SIZE_MAX};

void* operator new(std::size_t size) {
    ++g_allocations;
    if (size >= g_failFrom.load()) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
// The array forms too: the sanitizers' runtime takes them without going through operator new.
void* operator new[](std::size_t size) {
    return operator new(size);
}
// Out of line: inlined, GCC would pair the free with a new of the test framework and warn.
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

using quorbit1::CEquation;
using quorbit1::test::Repeat;

namespace {

struct Shape {
    const char* name;
    std::string first;
    std::string second;  // same length and shape, other digits
};

TEST(SteadyState, SolvingAgainAllocatesNothing) {
    const Shape shapes[] = {
        {"typical", "10 + cos(45)", "20 + sin(35)"},
        {"worked example", "-(cos(45))", "-(sin(30))"},
        {"long sum", Repeat("(x*2.5+sin(30))*(y-1.25)+", 400) + "1",
         Repeat("(x*3.5+cos(20))*(y-2.75)+", 400) + "2"},
        {"deep nesting", Repeat("-(", 3000) + "1" + Repeat(")", 3000),
         Repeat("-(", 3000) + "7" + Repeat(")", 3000)},
        {"malformed", "2+-(#,sinh", "3+-(#,cosh"},
    };
    for (const Shape& shape : shapes) {
        CEquation e;
        e.m_text = shape.first;
        const long fresh = g_allocations.load();
        e.Solve();  // the first solve of this size allocates, which shows the counting works
        EXPECT_GT(g_allocations.load() - fresh, 0) << shape.name;
        const double first = e.m_result;
        const long before = g_allocations.load();
        for (int round = 0; round < 3; ++round) {
            e.m_text = shape.second;
            e.Solve();
            e.m_text = shape.first;
            e.Solve();
        }
        EXPECT_EQ(g_allocations.load() - before, 0) << shape.name;
        EXPECT_EQ(e.m_result, first) << shape.name;
    }
}

TEST(ShortOfMemory, OneCommandFailsAndTheNextIsRunAsUsual) {
    const std::string bigSum = Repeat("1+", 100000) + "1";
    CEquation equation;
    EXPECT_EQ(quorbit1::RunOkCommand(equation, "2*3", 0).answer, 6);
    {
        const MemoryShort limit;
        const quorbit1::OkOutcome failed = quorbit1::RunOkCommand(equation, bigSum, 0);
        EXPECT_FALSE(failed.solved);
        EXPECT_EQ(failed.message, quorbit1::kMsgNoMemory);
        EXPECT_EQ(failed.answer, 6);  // the previous answer stays, as for a refused text
        EXPECT_EQ(failed.raised, 0u);
        const quorbit1::OkOutcome next = quorbit1::RunOkCommand(equation, "7+1", 0);
        EXPECT_TRUE(next.solved);
        EXPECT_EQ(next.message, "");
        EXPECT_EQ(next.answer, 8);
    }
    EXPECT_EQ(quorbit1::RunOkCommand(equation, bigSum, 0).answer, 100001);
}

}  // namespace
