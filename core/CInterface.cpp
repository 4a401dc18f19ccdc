#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>

#include "CalculatorHandle.h"
#include "InputRules.h"
#include "NumberText.h"
#include "Version.h"

using quorbit1::Calculator;

namespace {

// A text argument no caller can have: bytes at NULL, or more than any object holds.
bool BadText(const char* text, size_t length) {
    return (text == nullptr && length != 0) ||
           length > static_cast<size_t>(std::numeric_limits<std::ptrdiff_t>::max());
}

int SlotIndex(char letter) {
    return quorbit1::SlotOf(letter);
}

// Runs a call that may need memory; bad_alloc gives failed instead, so no exception leaves the
// interface.
template <typename F, typename R = std::invoke_result_t<F>>
R Guarded(F&& call, R failed) {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        return failed;
    }
}

// The last command's JSON, reading and working are made when first asked for, and kept: asking
// changes nothing a caller can see, so a const handle may ask.
Calculator& Made(const quorbit1_calculator* calc) {
    return const_cast<quorbit1_calculator*>(calc)->calc;
}

template <typename F>
int Guarded(F&& call) {
    return Guarded(std::forward<F>(call), static_cast<int>(QUORBIT1_ERROR_MEMORY));
}

}  // namespace

extern "C" {

quorbit1_calculator* quorbit1_create(void) {
    return new (std::nothrow) quorbit1_calculator;
}

void quorbit1_free(quorbit1_calculator* calc) {
    delete calc;
}

const char* quorbit1_version(void) {
    return quorbit1::kVersion;
}

int quorbit1_set_radians(quorbit1_calculator* calc, int radians) {
    if (calc == nullptr) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    calc->calc.SetUnit(radians != 0 ? quorbit1::AngleUnit::kRadians
                                    : quorbit1::AngleUnit::kDegrees);
    return 0;
}

int quorbit1_radians(const quorbit1_calculator* calc) {
    return calc != nullptr && calc->calc.Unit() == quorbit1::AngleUnit::kRadians ? 1 : 0;
}

const char* quorbit1_slot_letters(void) {
    return quorbit1::kSlotLetters;
}

int quorbit1_set_slot(quorbit1_calculator* calc, char letter, double value) {
    const int slot = SlotIndex(letter);
    if (calc == nullptr || slot < 0 || !std::isfinite(value)) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    quorbit1::SlotValues slots = calc->calc.Slots();
    slots[static_cast<std::size_t>(slot)] = value;
    calc->calc.SetSlots(slots);
    return 0;
}

int quorbit1_set_slot_text(quorbit1_calculator* calc, char letter, const char* text, size_t length,
                           const char* decimal_separator) {
    const int slot = SlotIndex(letter);
    if (calc == nullptr || slot < 0 || BadText(text, length)) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    return Guarded([&] {
        const std::string_view separator = decimal_separator != nullptr ? decimal_separator : ".";
        return calc->calc.SetSlotText(slot, {text, length}, separator) ? 0 : 1;
    });
}

double quorbit1_slot(const quorbit1_calculator* calc, char letter) {
    const int slot = SlotIndex(letter);
    return calc != nullptr && slot >= 0 ? calc->calc.Slots()[static_cast<std::size_t>(slot)] : 0.0;
}

int quorbit1_ok(quorbit1_calculator* calc, const char* text, size_t length) {
    if (calc == nullptr || BadText(text, length)) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    return Guarded([&] {
        const quorbit1::Command& command =
            calc->calc.Ok(std::string_view(text == nullptr ? "" : text, length));
        calc->answer = quorbit1::AnswerText(command.outcome.answer);
        calc->historyProblem = calc->calc.TakeHistoryProblem();
        if (!command.outcome.solved) {
            return QUORBIT1_NOT_EVALUATED;
        }
        return command.outcome.message.empty() ? QUORBIT1_NO_MESSAGE : QUORBIT1_MESSAGE;
    });
}

int quorbit1_field_takes(const char* text, size_t length) {
    return BadText(text, length) ? QUORBIT1_ERROR_ARGUMENT
                                 : (quorbit1::FieldTakes({text, length}) ? 1 : 0);
}

size_t quorbit1_field_limit(void) {
    return quorbit1::kFieldLimit;
}

const char* quorbit1_field_refusal(void) {
    return quorbit1::kMsgTooLong;
}

const char* quorbit1_answer(const quorbit1_calculator* calc) {
    if (calc == nullptr) {
        return "";
    }
    return calc->calc.Last().any ? calc->answer.c_str() : "0";
}

double quorbit1_value(const quorbit1_calculator* calc) {
    return calc != nullptr ? calc->calc.Last().outcome.answer : 0.0;
}

const char* quorbit1_message(const quorbit1_calculator* calc) {
    return calc != nullptr ? calc->calc.Last().outcome.message.c_str() : "";
}

int quorbit1_mark_position(const quorbit1_calculator* calc) {
    return calc != nullptr ? calc->calc.Last().outcome.markPos : -1;
}

int quorbit1_evaluated(const quorbit1_calculator* calc) {
    return calc != nullptr && calc->calc.Last().outcome.solved ? 1 : 0;
}

const char* quorbit1_json(const quorbit1_calculator* calc) {
    return calc == nullptr ? nullptr
                           : Guarded([&] { return Made(calc).JsonLine().data(); },
                                     static_cast<const char*>(nullptr));
}

size_t quorbit1_json_length(const quorbit1_calculator* calc) {
    return calc == nullptr ? 0 : Guarded([&] { return Made(calc).JsonLine().size(); }, size_t{0});
}

const char* quorbit1_read_as(const quorbit1_calculator* calc) {
    return calc == nullptr ? nullptr
                           : Guarded([&] { return Made(calc).ReadAs().text.c_str(); },
                                     static_cast<const char*>(nullptr));
}

const char* quorbit1_working(const quorbit1_calculator* calc) {
    return calc == nullptr ? nullptr
                           : Guarded([&] { return Made(calc).WorkingJsonText().c_str(); },
                                     static_cast<const char*>(nullptr));
}

int quorbit1_use_history(quorbit1_calculator* calc) {
    if (calc == nullptr) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    return Guarded([&] {
        calc->historyProblem = calc->calc.UseHistory(quorbit1::HistoryStore());
        return 0;
    });
}

int quorbit1_use_history_file(quorbit1_calculator* calc, const char* path) {
    if (calc == nullptr) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    return Guarded([&] {
        std::string file = path != nullptr ? path : quorbit1::HistoryStore::DefaultPath();
        calc->historyProblem = calc->calc.UseHistory(quorbit1::HistoryStore(std::move(file)));
        return calc->historyProblem.empty() ? 0 : 1;
    });
}

const char* quorbit1_history_problem(quorbit1_calculator* calc) {
    return calc != nullptr ? calc->historyProblem.c_str() : "";
}

size_t quorbit1_history_size(const quorbit1_calculator* calc) {
    return calc != nullptr ? calc->calc.History().size() : 0;
}

const char* quorbit1_history_entry(const quorbit1_calculator* calc, size_t index) {
    if (calc == nullptr || index >= calc->calc.History().size()) {
        return nullptr;
    }
    return calc->calc.History()[index].c_str();
}

int quorbit1_history_clear(quorbit1_calculator* calc) {
    if (calc == nullptr) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    return Guarded([&] {
        calc->historyProblem = calc->calc.ClearHistory();
        return calc->historyProblem.empty() ? 0 : 1;
    });
}

const char* quorbit1_history_notice(quorbit1_calculator* calc) {
    return calc != nullptr && calc->calc.TakeHistoryNotice() ? quorbit1::kMsgHistoryInMemory
                                                             : nullptr;
}

const char* quorbit1_recall(quorbit1_calculator* calc, int step, const char* current,
                            size_t length) {
    if (calc == nullptr || BadText(current, length) || (step != -1 && step != 1)) {
        return nullptr;
    }
    return Guarded(
        [&]() -> const char* {
            std::optional<std::string> shown = calc->calc.Recall(
                step, std::string_view(current == nullptr ? "" : current, length));
            if (!shown) {
                return nullptr;
            }
            calc->recalled = std::move(*shown);
            return calc->recalled.c_str();
        },
        static_cast<const char*>(nullptr));
}

}  // extern "C"
