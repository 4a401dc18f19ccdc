// The calculator for the page: the OK command with its working and usual reading, the variable
// slots and the history's rules, the very code the desktop and the command line run, behind a
// small C interface that the page's script calls. One evaluator serves the page's whole run, as
// the dialog's does. Texts returned stay valid until the next call.
#include <emscripten/emscripten.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Functions.h"
#include "History.h"
#include "HistoryCursor.h"
#include "Inputs.h"
#include "JsonLine.h"
#include "NumberText.h"
#include "OkCommand.h"
#include "UsualReading.h"
#include "Working.h"

namespace {

auto g_equation = std::make_unique<quorbit1::CEquation>();
quorbit1::OkJsonWriter g_json;
auto g_history = std::make_unique<quorbit1::HistoryStore>();  // in memory: the page stores it
std::string g_historyText;
quorbit1::HistoryCursor g_recall;
std::string g_recalled;
std::string_view g_line;
// What the working of the last command needs: an evaluation depends only on its text, angle
// unit and slots, so the working is made again from them when it is asked for, on an evaluator
// of its own, instead of being recorded on every command.
std::string g_lastText;
int g_lastAngleMode = 0;
quorbit1::SlotValues g_lastSlots{};
bool g_solved = false;
std::optional<std::string> g_working;  // made for the last command
auto g_replay = std::make_unique<quorbit1::CEquation>();
int g_markPos = -1;

}  // namespace

extern "C" {

// One OK command: the command line's JSON object for it (answer, message, flags, usual
// reading), with the previous answer when the text is refused.
EMSCRIPTEN_KEEPALIVE const char* quorbit1_ok(const char* cText, int angleMode) {
    const std::string_view text(cText);
    const quorbit1::OkOutcome outcome = quorbit1::RunOkCommand(*g_equation, text, angleMode);
    const quorbit1::UsualResult usual =
        quorbit1::EvaluateUsual(text, angleMode, g_equation->Slots());
    g_line = g_json.Line(text, angleMode, outcome, usual);
    g_markPos = outcome.markPos;
    g_solved = outcome.solved;
    g_lastText = text;
    g_lastAngleMode = angleMode;
    g_lastSlots = g_equation->Slots();
    g_working.reset();
    return g_line.data();
}

// The length in bytes of the last OK command's line, so that the page decodes it without
// searching for its NUL.
EMSCRIPTEN_KEEPALIVE int quorbit1_ok_length() {
    return static_cast<int>(g_line.size());
}

// A new start, as when the page is opened: no previous answer, the slots 0.
EMSCRIPTEN_KEEPALIVE void quorbit1_reset() {
    g_equation = std::make_unique<quorbit1::CEquation>();
    g_solved = false;
    g_working.reset();
    g_markPos = -1;
}

// Where in the last text (a count of UTF-8 bytes) the character stands that its message is
// about, or -1.
EMSCRIPTEN_KEEPALIVE int quorbit1_mark_position() {
    return g_markPos;
}

// The last evaluated text's working as JSON, for the page to lay out in the user's language:
// {"stages": [{"pass", "title", "args", "termCount", "terms": [{"op", "value", "function", "open",
// "close", "changed"}]}], "passCount", "usual": {"words", "subject", "position"}}, where title
// and words are the templates the translations are keyed by, and usual is there only when the
// usual reading refused the text; no stages when the last text was not evaluated. Made when
// asked for, since most commands are not followed by a look at it.
EMSCRIPTEN_KEEPALIVE const char* quorbit1_working() {
    if (g_working) {
        return g_working->c_str();
    }
    std::string& j = g_working.emplace("{\"stages\":[");
    if (g_solved) {
        quorbit1::WorkingRecorder recorder(quorbit1::kShownStages, quorbit1::kShownTerms);
        g_replay->SetSlots(g_lastSlots);
        g_replay->SetObserver(&recorder);
        quorbit1::RunOkCommand(*g_replay, g_lastText, g_lastAngleMode);
        g_replay->SetObserver(nullptr);
        for (const quorbit1::WorkingStage& stage : recorder.Stages()) {
            const quorbit1::StageTitleTemplate title = quorbit1::TitleOf(stage);
            j += j.back() == '[' ? "{\"pass\":" : ",{\"pass\":";
            j += std::to_string(stage.pass) + ",\"title\":";
            quorbit1::AppendJsonString(j, title.text);
            j += ",\"args\":[";
            for (std::size_t i = 0; i < title.args.size(); ++i) {
                j += (i == 0 ? "" : ",") + std::to_string(title.args[i]);
            }
            j += "],\"termCount\":" + std::to_string(stage.termCount) + ",\"terms\":[";
            for (std::size_t i = 0; i < stage.terms.size(); ++i) {
                const quorbit1::Term& t = stage.terms[i];
                j += i == 0 ? "{\"op\":\"" : ",{\"op\":\"";
                j += t.op;
                j += "\",\"value\":\"" + quorbit1::AnswerText(t.value) + "\",\"function\":\"";
                j += quorbit1::FunctionName(t.funcCode);
                j += "\",\"open\":" + std::to_string(t.openParens) +
                     ",\"close\":" + std::to_string(t.closeParens) +
                     (stage.changed[i] ? ",\"changed\":true}" : ",\"changed\":false}");
            }
            j += "]}";
        }
        j += "],\"passCount\":" + std::to_string(recorder.PassCount());
    } else {
        j += "],\"passCount\":0";
    }
    const quorbit1::UsualResult usual =
        quorbit1::EvaluateUsual(g_lastText, g_lastAngleMode, g_lastSlots);
    if (!usual.ok) {
        j += ",\"usual\":{\"words\":";
        quorbit1::AppendJsonString(j, quorbit1::UsualRefusalWords(usual.refusal));
        j += ",\"subject\":";
        quorbit1::AppendJsonString(j, usual.subject);
        j += ",\"position\":" + std::to_string(usual.position) + "}";
    }
    j += "}";
    return j.c_str();
}

// The variable slots X, Y, Z, T by their place in kSlotLetters.
EMSCRIPTEN_KEEPALIVE void quorbit1_set_slot(int index, double value) {
    quorbit1::SlotValues slots = g_equation->Slots();
    if (index >= 0 && static_cast<std::size_t>(index) < slots.size()) {
        slots[static_cast<std::size_t>(index)] = value;
        g_equation->SetSlots(slots);
    }
}

EMSCRIPTEN_KEEPALIVE double quorbit1_slot(int index) {
    const quorbit1::SlotValues slots = g_equation->Slots();
    return index >= 0 && static_cast<std::size_t>(index) < slots.size()
               ? slots[static_cast<std::size_t>(index)]
               : 0.0;
}

EMSCRIPTEN_KEEPALIVE const char* quorbit1_slot_letters() {
    return quorbit1::kSlotLetters;
}

// Whether the history keeps a text the OK command evaluated, and how many it keeps.
EMSCRIPTEN_KEEPALIVE int quorbit1_storable(const char* text) {
    return quorbit1::Storable(text) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int quorbit1_history_limit() {
    return static_cast<int>(quorbit1::kHistoryLimit);
}

// The history with the desktop's rules, kept by the page in the browser's storage as the text
// of a history file: quorbit1_history_read takes what the storage holds now (what cannot be an
// expression is skipped), quorbit1_history_add appends as the desktop does (only what is
// storable, not twice in a row, the last 1,000), quorbit1_history_text gives the text to store.
EMSCRIPTEN_KEEPALIVE int quorbit1_history_read(const char* text) {
    const quorbit1::HistoryText read = quorbit1::ParseHistory(text);
    g_history = std::make_unique<quorbit1::HistoryStore>();
    for (const std::string& entry : read.entries) {
        g_history->Add(entry);
    }
    g_recall.Reset(g_history->Entries().size());
    return static_cast<int>(read.skipped);
}

EMSCRIPTEN_KEEPALIVE void quorbit1_history_add(const char* text) {
    g_history->Add(text);
    g_recall.Reset(g_history->Entries().size());
}

// Up (step -1) and Down (+1) through the history as the desktop's field has them, from a field
// that holds current: the text to show, or null when there is no step to take.
EMSCRIPTEN_KEEPALIVE const char* quorbit1_recall(int step, const char* current) {
    const std::optional<std::string> shown = g_recall.Step(step, g_history->Entries(), current);
    if (!shown) {
        return nullptr;
    }
    g_recalled = *shown;
    return g_recalled.c_str();
}

EMSCRIPTEN_KEEPALIVE int quorbit1_history_size() {
    return static_cast<int>(g_history->Entries().size());
}

EMSCRIPTEN_KEEPALIVE const char* quorbit1_history_text() {
    g_historyText.clear();
    for (const std::string& entry : g_history->Entries()) {
        g_historyText += entry;
        g_historyText += '\n';
    }
    return g_historyText.c_str();
}

}  // extern "C"
