#include "Texts.h"

#include <algorithm>
#include <fstream>

namespace quorbit1::bench {

std::vector<std::string> LoadCorpus(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

namespace {

std::string Repeat(const std::string& piece, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += piece;
    }
    return s;
}

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos;
         at = s.find(from, at + to.size())) {
        s.replace(at, from.size(), to);
    }
}

// Names are replaced longest first and marked, so 'log' inside 'alog' is not touched twice.
std::string Translate(const std::string& text, const char* lnName) {
    std::string s = text;
    ReplaceAll(s, "alog(", "10^\x01(");
    ReplaceAll(s, "aln(", "\x02(");
    ReplaceAll(s, "log(", "log10(");
    ReplaceAll(s, "ln(", "\x03(");
    ReplaceAll(s, "\x01", "");
    ReplaceAll(s, "\x02", "exp");
    ReplaceAll(s, "\x03", lnName);
    return s;
}

}  // namespace

std::string SumOfProducts(std::size_t length) {
    static const std::string pieces[] = {"(x*2.5+sin(30))*(y-1.25)+", "(cos(z)/4+t*3)*2+",
                                         "(log(45)+7)*(x+1)+", "(alog(0.5)-aln(1.5))*y+"};
    std::string s;
    for (std::size_t i = 0; s.size() < length; ++i) {
        s += pieces[i % 4];
    }
    return s + "1";
}

std::string DeepNesting(std::size_t length) {
    const std::size_t n = length / 4;
    return Repeat("(", n) + "1" + Repeat("+2)", n);
}

std::string ChangesOfSign(std::size_t length) {
    const std::size_t n = length / 3;
    return Repeat("-(", n) + "1" + Repeat(")", n);
}

std::string DoubledCounts(std::size_t length) {
    const std::string piece =
        "//***))(()(-(-(*()))((/////*())(-sin////*))((-(***()))((///**))()((-(**))))(((()))//"
        "*(**)))(((-(";
    return Repeat(piece, std::max<std::size_t>(length / piece.size(), 1));
}

std::string ForMuParser(const std::string& text) {
    return Translate(text, "ln");
}

std::string ForFParser(const std::string& text) {
    return Translate(text, "log");
}

}  // namespace quorbit1::bench
