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
    {"Radians", {"--radians", "sin(30)"}, "", 0, "-0.988031624092862\n"},
    {"OptionAfterExpression", {"sin(30)", "-r"}, "", 0, "-0.988031624092862\n"},
    {"MinusFirstIsExpression", {"-5", "-(2)"}, "", 0, "-5\n-2\n"},
    {"DoubleDashEndsOptions", {"--", "--radians"}, "", 1, "0\tTwo sequential operators.\n"},
    {"EmptyArgument", {""}, "", 1, "0\tEnter an equation.\n"},
    {"RefusedKeepsAnswer", {"7", "x=1"}, "", 1, "7\n7\t= is not supported. Restructure.\n"},
    {"LinesOfInput", {}, "2+3\n\nsin(30)\r\n", 1, "5\n5\tEnter an equation.\n0.49999999614644\n"},
    {"NoInput", {}, "", 0, ""},
    {"InputWithoutFinalNewline", {}, "2*3", 0, "6\n"},
    {"SetFillsTheVariableSlots", {"--set", "X=2", "x^3"}, "", 0, "8\n"},
    // x*(t+y): no precedence.
    {"SetSeveral", {"--set", "x=1.5", "--set", "T=4", "--set", "y=-2", "x*t+y"}, "", 0, "3\n"},
    {"SetWithEquals", {"--set=Z=3", "z", "-z"}, "", 0, "3\n-3\n"},
    {"VariablesStartAtZero", {"x"}, "", 0, "0\n"},
};

INSTANTIATE_TEST_SUITE_P(Cli, CliTable, ::testing::ValuesIn(kCliCases), CaseName{});

TEST(CliUsage, HelpAndVersion) {
    const CliRun help = RunCliWith({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quorbit1-cli", 0), 0u);
    const CliRun version = RunCliWith({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quorbit1-cli 1.0\n");
}

TEST(CliWorking, TraceShowsThePassesOfTheWorkedExample) {
    const CliRun r = RunCliWith({"--trace", "-(cos(45))"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("-0.707106785906176\n", 0), 0u) << r.out;
    for (const char* heading : {"after the scan", "pass 1: started at term 2, worked on term 2",
                                "pass 2: started at term 2, swept terms 1 to 2",
                                "pass 3: started at term 1, swept terms 0 to 1"}) {
        EXPECT_NE(r.out.find(heading), std::string::npos) << heading;
    }
    EXPECT_EQ(r.out.find("pass 4"), std::string::npos);
    // The COS term as scanned, and its value after the first pass, marked as changed.
    EXPECT_NE(r.out.find("2   +  45                      COS          2      2"),
              std::string::npos);
    EXPECT_NE(r.out.find("*      2   +  0.707106785906176                    1      1"),
              std::string::npos)
        << r.out;
}

TEST(CliWorking, TraceGivesTheUsualReading) {
    EXPECT_NE(RunCliWith({"--trace", "2*3+4"}).out.find("usual reading (with precedence): 10\n"),
              std::string::npos);
    EXPECT_NE(RunCliWith({"--trace", "2*e"}).out.find("not an expression (unknown name 'E'"),
              std::string::npos);
    EXPECT_NE(RunCliWith({"--trace", ""}).out.find("not evaluated"), std::string::npos);
}

TEST(CliUsage, BadOptionsSettingsAndCombinationsAreUsageErrors) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--bogus", "1"},
                                               {"--radians", "--degrees", "1"},
                                               {"--Degrees"},
                                               {"--set", "W=2", "1"},
                                               {"--set", "X=abc", "1"},
                                               {"--set", "X=", "1"},
                                               {"--set", "X2", "1"},
                                               {"--set", "X=1e999", "1"},
                                               {"--set", "X=nan", "1"},
                                               {"--set"},
                                               {"--trace", "--json", "1"}}) {
        const CliRun r = RunCliWith(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: quorbit1-cli"), std::string::npos) << r.err;
    }
}

TEST(CliWorking, JsonForScripts) {
    const CliRun r = RunCliWith({"--json", "2*e", "asin(2)", "2*3+4"});
    EXPECT_EQ(r.status, 1);
    std::istringstream lines(r.out);
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_EQ(
        first,
        R"({"expression":"2*e","angleUnit":"degrees","answer":"0","value":0.0,)"
        R"("valueExact":"0","message":"Invalid Trig or Exponent.","evaluated":true,)"
        R"("flags":["m_errTrigExp"],"usualReading":{"error":"unknown name 'E' at position 3"}})");
    EXPECT_NE(second.find(R"("value":null,"valueExact":"nan")"), std::string::npos) << second;
    EXPECT_NE(second.find(R"("flags":["m_errDomain"])"), std::string::npos) << second;
    EXPECT_NE(third.find(R"("answer":"14","value":14.0)"), std::string::npos) << third;
    EXPECT_NE(third.find(R"("usualReading":{"value":10.0,"answer":"10"})"), std::string::npos);
    // Bytes that are not UTF-8 do not break the output.
    const CliRun bad = RunCliWith({"--json", "1\xff"});
    EXPECT_NE(bad.out.find(R"("message":"Invalid character.")"), std::string::npos) << bad.out;
}

TEST(CliInteractive, PromptGoesToTheTerminalNotTheAnswers) {
    const CliRun r = RunCliWith({}, "1+1\n", true);
    EXPECT_EQ(r.out, "2\n");
    EXPECT_NE(r.err.find("quorbit1> "), std::string::npos);
}

}  // namespace
