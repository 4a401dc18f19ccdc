// The texts the benchmarks run on: the corpus of typical expressions and generated long ones,
// and their translation into the syntax of the other engines measured beside ours.
#pragma once

#include <string>
#include <vector>

namespace quorbit1::bench {

std::vector<std::string> LoadCorpus(const std::string& path);

// About `length` characters of the given shape.
std::string SumOfProducts(std::size_t length);  // (x*2.5+sin(30))*(y-1.25)+...
std::string DeepNesting(std::size_t length);    // ((((...1+2...))))
std::string ChangesOfSign(std::size_t length);  // -(-(-(...1...)))
// The malformed text that takes the most passes we know of, found by the fuzzer
// (fuzz/findings/doubled-counts-drain-reduced), repeated.
std::string DoubledCounts(std::size_t length);

// alog(a) -> 10^(a), aln -> exp, log -> log10; ln stays for muParser and becomes log for
// fparser.
std::string ForMuParser(const std::string& text);
std::string ForFParser(const std::string& text);

}  // namespace quorbit1::bench
