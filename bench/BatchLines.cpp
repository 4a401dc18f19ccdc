// Writes the input of the batch benchmark: COUNT lines drawn from the corpus of typical
// expressions by a fixed sequence, so every run reads the same file; with --fparser, the same
// lines in fparser's syntax.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "Texts.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: batch_lines CORPUS COUNT [--fparser]\n");
        return 2;
    }
    const auto corpus = quorbit1::bench::LoadCorpus(argv[1]);
    const long count = std::strtol(argv[2], nullptr, 10);
    const bool fparser = argc > 3 && std::string(argv[3]) == "--fparser";
    std::mt19937 draw(12345);
    std::uniform_int_distribution<std::size_t> pick(0, corpus.size() - 1);
    for (long i = 0; i < count; ++i) {
        const std::string& text = corpus[pick(draw)];
        const std::string line = fparser ? quorbit1::bench::ForFParser(text) : text;
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}
