// The command line: what it prints for arguments and for lines of input, and its exit status
// (tests/data/cli.tsv).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CliApp.h"
#include "Flags.h"
#include "TestSupport.h"

using quorbit1::test::Unescape;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::vector<std::string>& args, const std::string& input) {
    std::vector<const char*> argv = {"quorbit1-cli"};
    for (const auto& a : args) {
        argv.push_back(a.c_str());
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = quorbit1::RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err);
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
        EXPECT_NE((r.out + r.err).find(expected), std::string::npos) << r.out << r.err;
    } else {
        EXPECT_EQ(r.out, expected);
    }
    EXPECT_EQ(r.status, std::stoi(f.at(3))) << r.err;
    // A usage error says how to use the program, and nothing else does.
    EXPECT_EQ(r.err.find("Usage: quorbit1-cli") != std::string::npos, r.status == 2);
    // One usage line, never a second one that could say something else.
    const std::string said = r.out + r.err;
    EXPECT_EQ(said.find("Usage:"), said.rfind("Usage:"));
}

INSTANTIATE_TEST_SUITE_P(Cli, CliTable, ::testing::ValuesIn(quorbit1::test::ReadTable("cli.tsv")),
                         quorbit1::test::RowName{});

// The faces' table: every row through the arguments and through a batch, with the byte-order
// mark and Windows line ends a batch may have. The command line takes any length.
TEST(Faces, ArgumentsAndBatchGiveTheTablesAnswer) {
    for (const std::vector<std::string>& row : quorbit1::test::ReadTable("faces.tsv")) {
        std::string text;
        for (int i = std::stoi(row.at(2)); i > 0; --i) {
            text += Unescape(row.at(1));
        }
        const std::string expected = row.at(3) + (row.at(4).empty() ? "" : "\t" + row.at(4)) + "\n";
        if (text.find('\0') == std::string::npos) {
            EXPECT_EQ(RunCli({"--", text}, {}).out, expected) << row[0];
        }
        EXPECT_EQ(RunCli({}, "\xEF\xBB\xBF" + text + "\r\n").out, expected) << row[0];
    }
}

// The readings' table through --json: the same reading and notes as the module and the dialog.
TEST(CliTable, Readings) {
    for (const std::vector<std::string>& row : quorbit1::test::ReadTable("reading.tsv")) {
        std::vector<std::string> args = {"--json", "--set", "X=2",   "--set", "Y=3",
                                         "--set",  "Z=5",   "--set", "T=7"};
        if (row.at(2) == "rad") {
            args.push_back("--radians");
        }
        args.insert(args.end(), {"--", row.at(1)});
        const nlohmann::json line = nlohmann::json::parse(RunCli(args, {}).out);
        std::string notes;
        for (const auto& note : line["readAsNotes"]) {
            notes += (notes.empty() ? "" : "|") + note.get<std::string>();
        }
        EXPECT_EQ(line["readAs"], row.at(3)) << row.at(0);
        EXPECT_EQ(notes.empty() ? "none" : notes, row.at(4)) << row.at(0);
    }
}

// The published schema names the flags the engine's table reports, no more and no fewer, in
// its order.
TEST(JsonSchema, NamesTheReportedFlags) {
    std::ifstream file(QUORBIT1_SCHEMA);
    const nlohmann::json schema = nlohmann::json::parse(file);
    std::vector<std::string> keys;
    for (std::size_t i = quorbit1::kFirstReported; i < quorbit1::kFlagCount; ++i) {
        keys.emplace_back(quorbit1::kFlags[i].key);
    }
    EXPECT_EQ(schema["properties"]["flags"]["items"]["enum"].get<std::vector<std::string>>(), keys);
}

// Every byte a line can hold, several times over: the JSON object is still one valid line, with
// each control character escaped and each byte outside UTF-8 shown as U+FFFD.
TEST(JsonLine, EveryByteGivesValidJson) {
    std::string line;
    for (int round = 0; round < 3; ++round) {
        for (int c = 1; c < 256; ++c) {
            if (c != '\n') {
                line += static_cast<char>(c);
            }
        }
    }
    const CliRun r = RunCli({"--json", "--no-history"}, line + "\n");
    ASSERT_EQ(r.out.find('\n'), r.out.size() - 1);
    const nlohmann::json object = nlohmann::json::parse(r.out);
    const std::string expression = object["expression"].get<std::string>();
    EXPECT_EQ(expression.substr(0, 9), "\x01\x02\x03\x04\x05\x06\x07\x08\t");
    EXPECT_NE(r.out.find("\\u001f"), std::string::npos);
    EXPECT_NE(expression.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_FALSE(object["evaluated"].get<bool>());
}

}  // namespace
