// The command line: what it prints for arguments and for lines of input, and its exit status.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CliApp.h"
#include "TestSupport.h"

using testing_support::CaseName;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCliWith(std::vector<std::string> args, const std::string& input = "",
                  bool interactive = false) {
    args.insert(args.begin(), "quorbit1-cli");
    std::vector<const char*> argv;
    for (const auto& a : args) {
        argv.push_back(a.c_str());
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        quorbit1::RunCli(static_cast<int>(argv.size()), argv.data(), in, out, err, interactive);
    return {status, out.str(), err.str()};
}

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
};

void PrintTo(const CliCase& c, std::ostream* os) {
    *os << c.name;
}

class CliTable : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliTable, PrintsAndExits) {
    const CliCase& c = GetParam();
    const CliRun r = RunCliWith(c.args, c.input);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, c.status) << r.err;
}

const CliCase kCliCases[] = {
    {"ReadmeExample",
     {"10 + cos(45)", "sin(30)", "2*3+4", "-(cos(45))", "5/0", "ln(-1)"},
     "",
     1,
     "10.7071067859062\n0.49999999614644\n14\n-0.707106785906176\n5\n0\tLn negatives not "
     "allowed.\n"},
    {"NoMessageExitsZero", {"2+3"}, "", 0, "5\n"},
    {"Radians", {"--radians", "sin(30)"}, "", 0, "-0.988031624092862\n"},
    {"ShortRadians", {"-r", "sin(30)"}, "", 0, "-0.988031624092862\n"},
    {"DegreesExplicit", {"--degrees", "sin(30)"}, "", 0, "0.49999999614644\n"},
    {"OptionAfterExpression", {"sin(30)", "-r"}, "", 0, "-0.988031624092862\n"},
    {"MinusFirstIsExpression", {"-5", "-(2)"}, "", 0, "-5\n-2\n"},
    {"DoubleDashEndsOptions", {"--", "--radians"}, "", 1, "0\tTwo sequential operators.\n"},
    {"EmptyArgument", {""}, "", 1, "0\tEnter an equation.\n"},
    {"RefusedKeepsAnswer", {"7", "x=1"}, "", 1, "7\n7\t= is not supported. Restructure.\n"},
    {"LinesOfInput", {}, "2+3\n\nsin(30)\r\n", 1, "5\n5\tEnter an equation.\n0.49999999614644\n"},
    {"NoInput", {}, "", 0, ""},
    {"InputWithoutFinalNewline", {}, "2*3", 0, "6\n"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliTable, ::testing::ValuesIn(kCliCases), CaseName{});

TEST(CliUsage, BadOptionsAreUsageErrors) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus", "1"},
                                                 {"--radians", "--degrees", "1"},
                                                 {"--Degrees"}}) {
        const CliRun r = RunCliWith(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: quorbit1-cli"), std::string::npos) << r.err;
    }
}

TEST(CliUsage, HelpAndVersion) {
    const CliRun help = RunCliWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: quorbit1-cli [--radians|--degrees] [EXPR...]"),
              std::string::npos);
    EXPECT_NE(help.out.find("--radians"), std::string::npos);
    const CliRun version = RunCliWith({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quorbit1-cli 1.0\n");
}

TEST(CliInteractive, PromptGoesToTheTerminalNotTheAnswers) {
    const CliRun r = RunCliWith({}, "1+1\n", true);
    EXPECT_EQ(r.out, "2\n");
    EXPECT_NE(r.err.find("quorbit1> "), std::string::npos);
}

}  // namespace
