// The command line: what it prints for arguments and for lines of input, and its exit status
// (tests/data/cli.tsv).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "TestSupport.h"

using quorbit1::test::Unescape;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args, const std::string& input,
              const quorbit1::CliTerminal& terminal = {}) {
    std::vector<const char*> argv = {"quorbit1-cli"};
    for (const auto& a : args) {
        argv.push_back(a.c_str());
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        quorbit1::RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err, terminal);
    return {status, out.str(), err.str()};
}

class CliTable : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(CliTable, PrintsAndExits) {
    const std::vector<std::string>& f = GetParam();
    std::vector<std::string> args;
    for (std::size_t start = 0, bar = 0; !f.at(1).empty() && bar != std::string::npos;
         start = bar + 1) {
        bar = f[1].find('|', start);
        const std::string arg = f[1].substr(start, bar - start);
        args.push_back(arg == "''" ? "" : Unescape(arg));
    }
    const CliRun r = RunCli(args, Unescape(f.at(2)));
    const std::string expected = Unescape(f.at(4));
    if (f.at(5) == "piece") {
        EXPECT_NE(r.out.find(expected), std::string::npos) << r.out;
    } else {
        EXPECT_EQ(r.out, expected);
    }
    EXPECT_EQ(r.status, std::stoi(f.at(3))) << r.err;
    // A usage error says how to use the program, and nothing else does.
    EXPECT_EQ(r.err.find("Usage: quorbit1-cli") != std::string::npos, r.status == 2);
}

INSTANTIATE_TEST_SUITE_P(Cli, CliTable, ::testing::ValuesIn(quorbit1::test::ReadTable("cli.tsv")),
                         quorbit1::test::RowName{});

// Stands in for the line editor: hands out its lines and notes what the history would keep.
class ScriptedReader final : public quorbit1::LineReader {
public:
    ScriptedReader(std::vector<std::string> lines, std::vector<std::string>& kept)
        : m_lines(std::move(lines)), m_kept(kept) {}
    bool ReadLine(std::string& line) override {
        if (m_next == m_lines.size()) {
            return false;
        }
        line = m_lines[m_next++];
        return true;
    }
    void Remember(const std::string& text) override { m_kept.push_back(text); }

private:
    std::vector<std::string> m_lines;
    std::size_t m_next = 0;
    std::vector<std::string>& m_kept;
};

TEST(CliInteractive, SessionKeepsWhatWasEvaluatedAndHonoursNoHistory) {
    setenv("XDG_DATA_HOME", "/data", 1);
    unsetenv("QUORBIT1_NO_HISTORY");
    for (const bool noHistory : {false, true}) {
        std::vector<std::string> kept;
        std::string historyPath = "unset";
        quorbit1::CliTerminal terminal;
        terminal.outputIsTerminal = true;
        terminal.makeReader = [&](const std::string& path, std::ostream&) {
            historyPath = path;
            return std::make_unique<ScriptedReader>(
                std::vector<std::string>{"1+1", "", "x=1", "2*e"}, kept);
        };
        const CliRun r = RunCli(
            noHistory ? std::vector<std::string>{"--no-history"} : std::vector<std::string>{},
            "ignored\n", terminal);
        EXPECT_EQ(r.out,
                  "2\n2\tEnter an equation.\n2\t= is not supported. Restructure.\n"
                  "0\tInvalid Trig or Exponent.\n\n");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(kept, (std::vector<std::string>{"1+1", "2*e"}));
        EXPECT_EQ(historyPath, noHistory ? "" : "/data/quorbit1/history");
    }
}

}  // namespace
