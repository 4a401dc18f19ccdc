// What must hold for every input the engine can be given, whatever its bytes. Shared by the
// coverage-guided fuzzer and by the test that replays its seeds and past findings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorbit1 {

class CEquation;

namespace fuzz {

// Input layout: byte 0 bit 0 is the angle unit; byte 1 bit 0 says that 32 bytes of variable
// slots (X, Y, Z, T as raw doubles) follow; the rest is the text. reused, when given, is an
// evaluator kept from one input to the next, which must solve each as a fresh one does.
// Returns an empty string when everything held, else what did not.
std::string CheckInput(const std::uint8_t* data, std::size_t size, CEquation* reused = nullptr);

// Where two evaluators that solved the same text disagree in anything a caller can read: the
// answer's bits, a flag or where it was raised, the change-of-sign state, the pass guard, or
// the term list left behind. Empty when they agree in all of it.
std::string Difference(const CEquation& a, const CEquation& b);

}  // namespace fuzz

}  // namespace quorbit1
