// The allocation counter and the failing allocations of allocation_tests, whose operator new
// (AllocationTest.cpp) counts every allocation of the process and fails large ones on demand.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

extern std::atomic<long> g_allocations;
// Allocations of this many bytes or more fail, as they would where memory is short.
extern std::atomic<std::size_t> g_failFrom;

// While one lives, allocations of 1 MB or more fail. A sum of 100,000 terms needs about 3 MB
// of terms, which this refuses; the text itself still fits. A line of 3 MB does not even fit
// while it is read.
struct MemoryShort {
    MemoryShort() { g_failFrom = std::size_t{1} << 20; }
    ~MemoryShort() { g_failFrom = SIZE_MAX; }
    MemoryShort(const MemoryShort&) = delete;
    MemoryShort& operator=(const MemoryShort&) = delete;
};
