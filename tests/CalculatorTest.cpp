// The calculator as every face holds it: one object serving a run of commands, its input rules,
// its history behind a storage that may refuse or fill up, and the C interface over it.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Calculator.h"
#include "InputRules.h"
#include "quorbit1/quorbit1.h"

namespace quorbit1 {
namespace {

// --- The input rules ---

struct SlotCase {
    const char* text;
    const char* separator;
    std::optional<double> value;
};

class SlotValueRule : public ::testing::TestWithParam<SlotCase> {};

TEST_P(SlotValueRule, TakesDecimalsAndFiniteOnly) {
    const SlotCase& c = GetParam();
    const std::optional<double> got = ReadSlotValue(c.text, c.separator);
    ASSERT_EQ(got.has_value(), c.value.has_value()) << c.text;
    if (c.value) {
        EXPECT_EQ(*got, *c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SlotValueRule,
    ::testing::Values(SlotCase{"5", ".", 5.0}, SlotCase{" 5 ", ".", 5.0},
                      SlotCase{"\t-2.5", ".", -2.5}, SlotCase{"+.5", ".", 0.5},
                      SlotCase{"7.", ".", 7.0}, SlotCase{"2.5e1", ".", 25.0},
                      SlotCase{"1E-3", ".", 0.001}, SlotCase{"1,5", ",", 1.5},
                      SlotCase{"1.5", ",", 1.5}, SlotCase{"0.1", ".", 0.1},
                      SlotCase{"1,5", ".", std::nullopt}, SlotCase{"1.5.2", ".", std::nullopt},
                      SlotCase{"1,5,2", ",", std::nullopt}, SlotCase{"0x10", ".", std::nullopt},
                      SlotCase{"1e400", ".", std::nullopt}, SlotCase{"1e-400", ".", std::nullopt},
                      SlotCase{"inf", ".", std::nullopt}, SlotCase{"nan", ".", std::nullopt},
                      SlotCase{"", ".", std::nullopt}, SlotCase{" ", ".", std::nullopt},
                      SlotCase{".", ".", std::nullopt}, SlotCase{"-", ".", std::nullopt},
                      SlotCase{"1e", ".", std::nullopt}, SlotCase{"1e+", ".", std::nullopt},
                      SlotCase{"5 5", ".", std::nullopt}, SlotCase{"--5", ".", std::nullopt},
                      SlotCase{"1\xC2\xA0", ".", std::nullopt}, SlotCase{"x", ".", std::nullopt}));

TEST(FieldRule, CountsCharactersNotBytes) {
    EXPECT_TRUE(FieldTakes(std::string(kFieldLimit, '1')));
    EXPECT_FALSE(FieldTakes(std::string(kFieldLimit + 1, '1')));
    std::string emoji;
    for (std::size_t i = 0; i < kFieldLimit; ++i) {
        emoji += "\xF0\x9F\x98\x80";
    }
    EXPECT_EQ(CharacterCount(emoji), kFieldLimit);
    EXPECT_TRUE(FieldTakes(emoji));
    EXPECT_FALSE(FieldTakes(emoji + "1"));
    // A byte outside UTF-8 is one character, as the evaluator steps over it.
    EXPECT_EQ(CharacterCount("\xFF\xC3"), 2u);
    EXPECT_EQ(CharacterCount(std::string("a\0b", 3)), 3u);
}

TEST(FieldRule, Utf16OffsetsOfCharacters) {
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80#";  // a é 😀 #
    EXPECT_EQ(Utf16Offset(text, 0), 0u);
    EXPECT_EQ(Utf16Offset(text, 1), 1u);
    EXPECT_EQ(Utf16Offset(text, 3), 2u);
    EXPECT_EQ(Utf16Offset(text, 7), 4u);
    EXPECT_EQ(Utf16Offset("\xFF#", 1), 1u);
}

TEST(BatchRule, EncodingByItsMark) {
    EXPECT_EQ(DetectBatchEncoding("\xFF\xFE"
                                  "1"),
              BatchEncoding::kUtf16LittleEndian);
    EXPECT_EQ(DetectBatchEncoding("\xFE\xFF"), BatchEncoding::kUtf16BigEndian);
    EXPECT_EQ(DetectBatchEncoding("\xEF\xBB\xBF"
                                  "1"),
              BatchEncoding::kUtf8);
    EXPECT_EQ(DetectBatchEncoding("\xFF"), BatchEncoding::kUtf8);
    EXPECT_EQ(Utf16ToUtf8(std::string("=\0\xE9\0=\xD8\0\xDE", 8), false),
              "=\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::string("\0\xD8", 2), false), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(std::string("\0a\0", 3), true), "a\xEF\xBF\xBD");
}

// --- One calculator over a run of commands ---

TEST(Calculator, OneObjectServesARunOfCommands) {
    Calculator calc;
    EXPECT_EQ(calc.Ok("2*3+4").outcome.answer, 14.0);
    // Refused: the previous answer stays, not evaluated.
    const Command& refused = calc.Ok("x=1");
    EXPECT_FALSE(refused.outcome.solved);
    EXPECT_EQ(refused.outcome.answer, 14.0);
    EXPECT_EQ(refused.outcome.message, kMsgEquals);
    calc.SetUnit(AngleUnit::kRadians);
    EXPECT_EQ(calc.Ok("cos(0)").outcome.answer, 1.0);
    EXPECT_EQ(calc.Last().unit, AngleUnit::kRadians);
    // The same text twice gives the same answer and no message the second time either.
    for (int i = 0; i < 3; ++i) {
        const Command& c = calc.Ok("ln(-1)");
        EXPECT_EQ(c.outcome.message, "Ln negatives not allowed.");
        EXPECT_EQ(c.outcome.answer, 0.0);
    }
    EXPECT_TRUE(calc.History().empty());  // no history unless one is given
}

TEST(Calculator, SlotTextFollowsTheRule) {
    Calculator calc;
    EXPECT_TRUE(calc.SetSlotText(0, " 1,5", ","));
    EXPECT_FALSE(calc.SetSlotText(1, "0x10"));
    EXPECT_FALSE(calc.SetSlotText(4, "1"));
    EXPECT_EQ(calc.Ok("x*2+y").outcome.answer, 3.0);
}

TEST(Calculator, WorkingMadeOnDemandEqualsWorkingRecorded) {
    const char* text = "2*(3+sin(30))^2-ln(5)";
    Calculator recording;
    recording.RecordWorking(true, kShownStages, kShownTerms);
    recording.SetSlots({1, 2, 3, 4});
    recording.Ok(text);
    Calculator later;
    later.SetSlots({1, 2, 3, 4});
    later.Ok(text);
    // The slots changed after the command do not change its working.
    later.SetSlots({9, 9, 9, 9});
    const WorkingView& a = recording.Working();
    const WorkingView& b = later.Working();
    ASSERT_EQ(a.stages.size(), b.stages.size());
    EXPECT_EQ(a.passCount, b.passCount);
    EXPECT_GT(a.passCount, 1);
    for (std::size_t i = 0; i < a.stages.size(); ++i) {
        EXPECT_EQ(StageTitle(a.stages[i]), StageTitle(b.stages[i]));
        EXPECT_EQ(a.stages[i].changed, b.stages[i].changed);
    }
    EXPECT_EQ(later.Slots()[0], 9.0);
    EXPECT_EQ(later.Working().answer, recording.Working().answer);
    // A refused text has no working, but its usual reading.
    later.Ok("");
    EXPECT_TRUE(later.Working().stages.empty());
    EXPECT_EQ(later.Working().usual.refusal, UsualRefusal::kEmpty);
}

TEST(Calculator, UsualReadingNamesTheWholeCharacter) {
    Calculator calc;
    calc.Ok("\xC3\xA9+1");
    EXPECT_EQ(calc.Usual().subject, "\xC3\xA9");
    calc.Ok("1+\xF0\x9F\x98\x80");
    EXPECT_EQ(calc.Usual().subject, "\xF0\x9F\x98\x80");
    calc.Ok("1+\xFF");
    EXPECT_EQ(calc.Usual().subject, "\xFF");
}

// --- The history behind a storage that may refuse or fill up ---

// A browser's storage as the page has it: one text, a quota, or refused altogether. Two
// backends over one Shelf are two tabs.
struct Shelf {
    std::string text;
    std::size_t quota = SIZE_MAX;
    bool refused = false;
};

class ShelfBackend final : public HistoryBackend {
public:
    explicit ShelfBackend(Shelf& shelf) : m_shelf(shelf) {}
    std::string Name() const override { return "history in storage"; }
    FileTail Read() override {
        FileTail tail;
        tail.status = m_shelf.refused ? FileTail::Status::kUnreadable : FileTail::Status::kRead;
        tail.bytes = m_shelf.text;
        tail.problem = "refused";
        return tail;
    }
    StoreResult Store(std::string_view bytes) override {
        if (m_shelf.refused) {
            return {Stored::kFailed, "refused"};
        }
        if (bytes.size() > m_shelf.quota) {
            return {Stored::kFull, {}};
        }
        m_shelf.text.assign(bytes);
        return {};
    }

private:
    Shelf& m_shelf;
};

HistoryStore OnShelf(Shelf& shelf) {
    return HistoryStore(std::make_unique<ShelfBackend>(shelf));
}

TEST(CalculatorHistory, TwoTabsLoseNothing) {
    Shelf shelf;
    Calculator a(OnShelf(shelf));
    Calculator b(OnShelf(shelf));
    a.LoadHistory();
    b.LoadHistory();
    a.Ok("1+1");
    b.Ok("2+2");
    a.Ok("x=1");  // refused, not kept
    a.Ok("3+3");
    EXPECT_EQ(shelf.text, "1+1\n2+2\n3+3\n");
    EXPECT_EQ(a.History(), (std::vector<std::string>{"1+1", "3+3"}));
    EXPECT_FALSE(a.TakeHistoryNotice());
}

TEST(CalculatorHistory, FullStorageDropsTheOldestAndKeepsAllInMemory) {
    Shelf shelf;
    shelf.quota = 20;
    Calculator calc(OnShelf(shelf));
    calc.LoadHistory();
    const std::vector<std::string> texts = {"111+1", "222+2", "333+3", "444+4", "555+5"};
    for (const std::string& t : texts) {
        calc.Ok(t);
    }
    // Each entry takes six bytes: the newest three fit.
    EXPECT_EQ(shelf.text, "333+3\n444+4\n555+5\n");
    EXPECT_EQ(calc.History(), texts);
    EXPECT_FALSE(calc.TakeHistoryNotice());
    // Recall walks this run's whole history, newest first.
    std::optional<std::string> shown = calc.Recall(-1, "draft");
    EXPECT_EQ(shown, "555+5");
    for (int i = 0; i < 4; ++i) {
        shown = calc.Recall(-1, *shown);
    }
    EXPECT_EQ(shown, "111+1");
    EXPECT_FALSE(calc.Recall(-1, *shown));
    for (int i = 0; i < 5; ++i) {
        shown = calc.Recall(+1, *shown);
    }
    EXPECT_EQ(shown, "draft");
}

TEST(CalculatorHistory, StorageFullEvenForOneSaysSoOnce) {
    Shelf shelf;
    shelf.quota = 7;
    Calculator calc(OnShelf(shelf));
    calc.LoadHistory();
    calc.Ok("1+1");
    calc.Ok("123456789+1");
    EXPECT_EQ(shelf.text, "1+1\n");
    EXPECT_TRUE(calc.TakeHistoryNotice());
    EXPECT_FALSE(calc.TakeHistoryNotice());
    EXPECT_FALSE(calc.TakeHistoryProblem().empty());
    calc.Ok("2+2");  // fits again
    EXPECT_EQ(shelf.text, "2+2\n");
    EXPECT_EQ(calc.History().size(), 3u);
}

TEST(CalculatorHistory, RefusedStorageKeepsTheRunInMemory) {
    Shelf shelf;
    shelf.refused = true;
    Calculator calc(OnShelf(shelf));
    EXPECT_FALSE(calc.LoadHistory().empty());
    calc.Ok("1+1");
    calc.Ok("2+2");
    EXPECT_EQ(calc.History().size(), 2u);
    EXPECT_EQ(calc.Recall(-1, ""), "2+2");
    EXPECT_EQ(calc.Recall(-1, "2+2"), "1+1");
    EXPECT_TRUE(calc.TakeHistoryNotice());
    EXPECT_FALSE(calc.TakeHistoryNotice());
}

// --- The C interface ---

struct Freed {
    void operator()(quorbit1_calculator* c) const { quorbit1_free(c); }
};
using Handle = std::unique_ptr<quorbit1_calculator, Freed>;

TEST(CInterface, OkAndItsResult) {
    const Handle h(quorbit1_create());
    ASSERT_NE(h, nullptr);
    quorbit1_calculator* c = h.get();
    EXPECT_STREQ(quorbit1_answer(c), "0");
    EXPECT_EQ(quorbit1_ok(c, "2*3+4", 5), QUORBIT1_NO_MESSAGE);
    EXPECT_STREQ(quorbit1_answer(c), "14");
    EXPECT_EQ(quorbit1_value(c), 14.0);
    // NUL is a character like any other.
    EXPECT_EQ(quorbit1_ok(c, "1\0+5", 4), QUORBIT1_MESSAGE);
    EXPECT_STREQ(quorbit1_message(c), "Invalid character.");
    EXPECT_EQ(quorbit1_mark_position(c), 1);
    EXPECT_STREQ(quorbit1_answer(c), "6");
    EXPECT_EQ(quorbit1_ok(c, "", 0), QUORBIT1_NOT_EVALUATED);
    EXPECT_STREQ(quorbit1_answer(c), "6");
    EXPECT_EQ(quorbit1_evaluated(c), 0);
    EXPECT_EQ(quorbit1_set_radians(c, 1), 0);
    EXPECT_EQ(quorbit1_radians(c), 1);
    EXPECT_EQ(quorbit1_set_slot(c, 'x', 2.0), 0);
    EXPECT_EQ(quorbit1_set_slot_text(c, 'T', "1,5", 3, ","), 0);
    EXPECT_EQ(quorbit1_set_slot_text(c, 'T', "0x10", 4, ","), 1);
    EXPECT_EQ(quorbit1_slot(c, 't'), 1.5);
    EXPECT_EQ(quorbit1_ok(c, "x^t", 3), QUORBIT1_NO_MESSAGE);
    const std::string json(quorbit1_json(c), quorbit1_json_length(c));
    EXPECT_EQ(json.back(), '\n');
    EXPECT_NE(json.find("\"angleUnit\":\"radians\""), std::string::npos);
    EXPECT_NE(json.find("\"expression\":\"x^t\""), std::string::npos);
    EXPECT_NE(std::string(quorbit1_working(c)).find("\"passCount\":1"), std::string::npos);
}

TEST(CInterface, BadArgumentsGiveErrorsNeverACrash) {
    EXPECT_EQ(quorbit1_ok(nullptr, "1", 1), QUORBIT1_ERROR_ARGUMENT);
    const Handle h(quorbit1_create());
    quorbit1_calculator* c = h.get();
    EXPECT_EQ(quorbit1_ok(c, nullptr, 3), QUORBIT1_ERROR_ARGUMENT);
    EXPECT_EQ(quorbit1_ok(c, nullptr, 0), QUORBIT1_NOT_EVALUATED);
    EXPECT_EQ(quorbit1_set_slot(c, 'W', 1.0), QUORBIT1_ERROR_ARGUMENT);
    EXPECT_EQ(quorbit1_set_slot(c, 'X', std::numeric_limits<double>::infinity()),
              QUORBIT1_ERROR_ARGUMENT);
    EXPECT_EQ(quorbit1_set_slot_text(c, 'X', nullptr, 2, nullptr), QUORBIT1_ERROR_ARGUMENT);
    EXPECT_EQ(quorbit1_set_radians(nullptr, 1), QUORBIT1_ERROR_ARGUMENT);
    EXPECT_EQ(quorbit1_json(nullptr), nullptr);
    EXPECT_EQ(quorbit1_recall(c, -1, "", 0), nullptr);  // no history
    EXPECT_EQ(quorbit1_recall(c, 5, "", 0), nullptr);
    EXPECT_EQ(quorbit1_history_entry(c, 0), nullptr);
    EXPECT_EQ(quorbit1_field_takes(nullptr, 1), QUORBIT1_ERROR_ARGUMENT);
    EXPECT_STREQ(quorbit1_message(nullptr), "");
    quorbit1_free(nullptr);
}

TEST(CInterface, HistoryInMemoryAndRecall) {
    const Handle h(quorbit1_create());
    quorbit1_calculator* c = h.get();
    ASSERT_EQ(quorbit1_use_history(c), 0);
    quorbit1_ok(c, "1+1", 3);
    quorbit1_ok(c, "2+2", 3);
    quorbit1_ok(c, "2+2", 3);
    ASSERT_EQ(quorbit1_history_size(c), 2u);
    EXPECT_STREQ(quorbit1_history_entry(c, 1), "2+2");
    EXPECT_STREQ(quorbit1_recall(c, -1, "typed", 5), "2+2");
    EXPECT_STREQ(quorbit1_recall(c, -1, "2+2", 3), "1+1");
    EXPECT_STREQ(quorbit1_recall(c, 1, "1+1", 3), "2+2");
    EXPECT_STREQ(quorbit1_recall(c, 1, "2+2", 3), "typed");
    EXPECT_EQ(quorbit1_history_clear(c), 0);
    EXPECT_EQ(quorbit1_history_size(c), 0u);
}

TEST(CInterface, FieldLimit) {
    const std::string longest(quorbit1_field_limit(), '1');
    EXPECT_EQ(quorbit1_field_takes(longest.data(), longest.size()), 1);
    EXPECT_EQ(quorbit1_field_takes((longest + "1").data(), longest.size() + 1), 0);
    EXPECT_NE(std::strstr(quorbit1_field_refusal(), "%1"), nullptr);
}

}  // namespace
}  // namespace quorbit1
