// Solving a text of a size the evaluator has already solved allocates nothing: the term list,
// the character buffer and the bookkeeping keep their storage from one solve to the next.
// Every allocation of this test program is counted, so it runs as a program of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "Equation.h"
#include "TestSupport.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
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

}  // namespace
