// The reading of each answer, checked by what it claims: evaluated as ordinary school
// arithmetic, by a small evaluator here that knows nothing of the calculator's rules, it gives
// the calculator's answer bit for bit. Then the readings and notes of the rules that surprise
// people, and the reading's length on long texts.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Calculator.h"
#include "CrMath.h"
#include "Functions.h"
#include "NumberText.h"
#include "RandomTexts.h"
#include "TestSupport.h"

using namespace quorbit1;
using namespace quorbit1::test;

namespace {

// A number as the calculator reads one: each digit's share, digit * 10^place, added in turn,
// with the places of 20 and more left out.
double ReadDigits(const std::string& numeral) {
    const std::size_t point = numeral.find('.');
    const std::size_t intEnd = point == std::string::npos ? numeral.size() : point;
    double value = 0.0;
    const auto add = [&](int place, char digit) {
        if (place < 20 && place > -20) {
            value = math::Pow(10.0, place) * static_cast<double>(digit - '0') + value;
        }
    };
    for (std::size_t i = 0; i < intEnd; ++i) {
        add(static_cast<int>(intEnd - i - 1), numeral[i]);
    }
    for (std::size_t i = intEnd + 1; i < numeral.size(); ++i) {
        add(-static_cast<int>(i - intEnd), numeral[i]);
    }
    return value;
}

// School arithmetic by precedence: brackets, functions, then '^' (right to left), a sign, then
// '*' and '/', then '+' and '-' (left to right). Operator precedence by two stacks, so that
// nesting as deep as a text is long takes no recursion. The reading's values are read as the C
// library reads them, its numerals as the calculator does. Returns NaN for a text it cannot read.
double School(const Reading& reading, AngleUnit unit) {
    const std::string& text = reading.text;
    std::size_t nextValue = 0;
    std::vector<double> values;
    std::vector<int> ops;  // '+', '-', '*', '/', '^', 'n' a sign, '(' and 256 + function code
    const auto prec = [](int op) {
        return op == '+' || op == '-' ? 1 : op == '*' || op == '/' ? 2 : op == 'n' ? 3 : 4;
    };
    bool bad = false;
    const auto apply = [&](int op) {
        if (values.size() < (op == 'n' ? 1u : 2u)) {
            bad = true;
            return;
        }
        if (op == 'n') {
            values.back() = -values.back();
            return;
        }
        const double b = values.back();
        values.pop_back();
        double& a = values.back();
        a = op == '+'   ? a + b
            : op == '-' ? a - b
            : op == '*' ? a * b
            : op == '/' ? a / b
                        : math::Pow(a, b);
    };
    const auto function = [&](int code, double x) {
        const auto f = static_cast<FuncCode>(code);
        const bool degrees = unit == AngleUnit::kDegrees;
        const double y = Apply(f, degrees && TakesAngle(f) ? x * kDegreeFactor : x);
        return degrees && GivesAngle(f) ? y * kRadianFactor : y;
    };
    bool operand = true;  // an operand is expected next
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            std::size_t end = i;
            while (end < text.size() &&
                   (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.')) {
                ++end;
            }
            if (nextValue < reading.values.size() && reading.values[nextValue].first == i) {
                end = i + reading.values[nextValue++].second;
                values.push_back(std::strtod(text.substr(i, end - i).c_str(), nullptr));
            } else {
                values.push_back(ReadDigits(text.substr(i, end - i)));
            }
            i = end;
            operand = false;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            std::size_t end = i;
            while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
            const std::string name = text.substr(i, end - i);
            int code = 0;
            for (int k = 1; k <= kFunctionCount; ++k) {
                code = ReadingFunctionName(k) == name ? k : code;
            }
            if (code == 0) {
                return std::nan("");
            }
            ops.push_back(256 + code);
            i = end;
        } else if (c == '(') {
            ops.push_back('(');
            ++i;
        } else if (c == ')') {
            while (!ops.empty() && ops.back() != '(') {
                apply(ops.back());
                ops.pop_back();
            }
            if (ops.empty()) {
                return std::nan("");
            }
            ops.pop_back();
            if (!ops.empty() && ops.back() > 256 && !values.empty()) {
                values.back() = function(ops.back() - 256, values.back());
                ops.pop_back();
            }
            ++i;
        } else if (c == '-' && operand) {
            ops.push_back('n');
            ++i;
        } else {
            const int op = c;
            // Left to right pops the equal ones too; '^' and the sign bind to the right.
            while (!ops.empty() && ops.back() != '(' && ops.back() < 256 &&
                   (prec(ops.back()) > prec(op) || (prec(ops.back()) == prec(op) && op != '^'))) {
                apply(ops.back());
                ops.pop_back();
            }
            ops.push_back(op);
            operand = true;
            ++i;
        }
    }
    while (!ops.empty()) {
        apply(ops.back());
        ops.pop_back();
    }
    return values.size() == 1 && !bad ? values[0] : std::nan("");
}

// Same bits, or both zero: a reading leaves out terms of +0, which turn a -0 into +0 in the
// calculator and not on paper.
bool Agrees(double school, double answer) {
    return SameBits(school, answer) || (school == 0.0 && answer == 0.0);
}

// Checks one text: evaluated, without a message, its reading gives its answer. Returns whether
// it was checked.
bool ExpectReadingGivesAnswer(Calculator& calc, const std::string& text) {
    const Command& command = calc.Ok(text);
    if (!command.outcome.solved || !command.outcome.message.empty()) {
        return false;
    }
    const Reading& reading = calc.ReadAs();
    const double school = School(reading, calc.Unit());
    EXPECT_TRUE(Agrees(school, command.outcome.answer))
        << "text: " << text << "\nreading: " << reading.text << "\nschool: " << school
        << "\nanswer: " << command.outcome.answer;
    return true;
}

TEST(Reading, OfEveryTableRowGivesTheAnswer) {
    int checked = 0;
    for (const char* table : {"results.tsv", "ok.tsv", "usual.tsv", "scan.tsv", "reading.tsv"}) {
        for (const std::vector<std::string>& row : ReadTable(table)) {
            Calculator calc;
            calc.SetSlots({2, 3, 5, 7});
            for (const AngleUnit unit : {AngleUnit::kDegrees, AngleUnit::kRadians}) {
                calc.SetUnit(unit);
                checked += ExpectReadingGivesAnswer(calc, Unescape(row.at(1))) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(checked, 300);
}

// Slot values whose shortest decimal the calculator reads back as the same double.
constexpr std::array<double, 6> kSlotValues = {0.0, 2.0, 0.5, -3.0, 1.25, 10.0};

TEST(Reading, OfRandomTextsGivesTheAnswer) {
    std::mt19937 rng(Seed(20261210));
    Calculator calc;
    // Until so many texts without a message were checked: about one in four has none.
    const int wanted = Rounds(100000);
    int checked = 0;
    for (int round = 0; checked < wanted && round < 8 * wanted; ++round) {
        const std::string text = round % 50 == 7  ? LongText(rng, round)
                                 : round % 3 == 2 ? RandomText(rng, round)
                                                  : TypedText(rng);
        SlotValues slots{};
        for (double& slot : slots) {
            slot = kSlotValues[std::uniform_int_distribution<std::size_t>(0, 5)(rng)];
        }
        calc.SetSlots(slots);
        calc.SetUnit(round % 2 == 0 ? AngleUnit::kDegrees : AngleUnit::kRadians);
        // Recorded as the command runs, beside the working, or made again when asked for.
        calc.RecordReading(round % 4 < 2);
        calc.RecordWorking(round % 4 == 1, kShownStages, kShownTerms);
        checked += ExpectReadingGivesAnswer(calc, text) ? 1 : 0;
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_EQ(checked, wanted);
}

// The rules that surprise people, each with its reading and the notes that name it.
TEST(Reading, OfTheSurprisingRules) {
    for (const std::vector<std::string>& row : ReadTable("reading.tsv")) {
        Calculator calc;
        calc.SetSlots({2, 3, 5, 7});
        calc.SetUnit(row.at(2) == "rad" ? AngleUnit::kRadians : AngleUnit::kDegrees);
        calc.Ok(row.at(1));
        const Reading& reading = calc.ReadAs();
        std::string keys;
        for (const ReadingNote& note : reading.notes) {
            keys += (keys.empty() ? "" : "|") + std::string(RuleInfo(note.rule).key);
        }
        EXPECT_EQ(reading.text, row.at(3)) << row.at(0);
        EXPECT_EQ(keys.empty() ? "none" : keys, row.at(4)) << row.at(0);
    }
}

// A rule that applies many times is named once, with its first three places.
TEST(Reading, NotesShowTheFirstPlaces) {
    Calculator calc;
    calc.Ok("0*1+0*2+0*3+0*4+0*5+1");
    ASSERT_EQ(calc.ReadAs().notes.size(), 1u);
    EXPECT_EQ(ReadingNoteText(calc.ReadAs().notes[0]),
              "0*, 0*, 0*, \u2026 left out: a zero left factor is an empty slot");
    calc.Ok("");  // not evaluated: no reading, and no note left from before
    EXPECT_EQ(calc.ReadAs().text, "");
    EXPECT_TRUE(calc.ReadAs().notes.empty());
}

// The reading of a long text is at most a fixed factor longer: every numeral as written, every
// value in at most 24 characters, every step adds an operator and at most two brackets.
TEST(Reading, LengthIsBoundedOnLongTexts) {
    Calculator calc;
    calc.SetSlots({-1.2345678901234567e-100, 2, 3, 5});
    std::mt19937 rng(Seed(7));
    const std::string texts[] = {
        Repeat("x+", 50000),
        Repeat("-(", 20000) + "1" + Repeat(")", 20000),
        Repeat("1+", 50000) + "1",
        Repeat("0*", 50000) + "1",
        Repeat("sin(", 12000) + "1" + Repeat(")", 12000),
        LongText(rng, 7) + Repeat("+" + TypedText(rng), 2000),
    };
    for (const std::string& text : texts) {
        calc.RecordReading(false);
        calc.Ok(text);
        ASSERT_TRUE(calc.Last().outcome.solved) << text.substr(0, 40);
        const std::string& read = calc.ReadAs().text;
        EXPECT_LE(read.size(), 26 * text.size()) << text.substr(0, 40);
        if (calc.Last().outcome.message.empty() && text.size() < 120000) {
            EXPECT_TRUE(Agrees(School(calc.ReadAs(), calc.Unit()), calc.Last().outcome.answer))
                << text.substr(0, 40);
        }
        // Made again on the same evaluator, it is the same reading.
        calc.RecordReading(true);
        calc.Ok(text);
        EXPECT_EQ(calc.ReadAs().text, read);
    }
}

}  // namespace
