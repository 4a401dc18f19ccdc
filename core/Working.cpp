#include "Working.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "Functions.h"
#include "InputRules.h"
#include "NumberText.h"
#include "TextTemplate.h"
#include "Utf8.h"

namespace quorbit1 {

namespace {

bool SameTerm(const Term& a, const Term& b) {
    return a.funcCode == b.funcCode && SameBits(a.value, b.value) && a.op == b.op &&
           a.openParens == b.openParens && a.closeParens == b.closeParens;
}

}  // namespace

void WorkingRecorder::Scanned(std::span<const Term> terms) {
    m_stages.clear();
    m_passes = 0;
    Add(WorkingStage{}, terms);
}

void WorkingRecorder::PassDone(int pass, int start, int sweptFrom, std::span<const Term> terms) {
    m_passes = pass;
    if (m_stages.size() >= m_maxStages) {
        return;
    }
    WorkingStage stage;
    stage.pass = pass;
    stage.start = start;
    stage.sweptFrom = sweptFrom;
    Add(std::move(stage), terms);
}

void WorkingRecorder::Add(WorkingStage stage, std::span<const Term> terms) {
    const WorkingStage* before = m_stages.empty() ? nullptr : &m_stages.back();
    stage.termCount = terms.size();
    terms = terms.first(std::min(terms.size(), m_maxTerms));
    stage.terms.assign(terms.begin(), terms.end());
    stage.changed.resize(terms.size());
    // The scan hands on the list without the placeholder that the evaluation puts behind it;
    // a row the stage before did not show was that placeholder, or nothing, and is marked only
    // when it holds something else.
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const Term& was = before != nullptr && i < before->terms.size() ? before->terms[i] : Term{};
        stage.changed[i] = before != nullptr && !SameTerm(was, terms[i]);
    }
    m_stages.push_back(std::move(stage));
}

std::string ShownText(std::string_view text) {
    if (CharacterCount(text) <= kShownCharacters) {
        return std::string(text);
    }
    // Byte offsets of the character kShownCharacters / 2 from the start and from the end.
    const auto step = [&](std::size_t i) {
        const std::size_t n = Utf8SequenceLength(text, i);
        return i + (n == 0 ? 1 : n);
    };
    std::size_t head = 0;
    for (std::size_t k = 0; k < kShownCharacters / 2; ++k) {
        head = step(head);
    }
    std::vector<std::size_t> starts;  // of every character, to count back from the end
    for (std::size_t i = 0; i < text.size(); i = step(i)) {
        starts.push_back(i);
    }
    const std::size_t tail = starts[starts.size() - kShownCharacters / 2];
    return std::string(text.substr(0, head)) + " \u2026 " + std::string(text.substr(tail));
}

const char* TermFunctionName(const Term& term) {
    return FunctionName(term.funcCode);
}

StageTitleTemplate TitleOf(const WorkingStage& stage) {
    if (stage.pass == 0) {
        return {kTitleAfterScan, {}};
    }
    if (stage.sweptFrom == stage.start) {
        return {kTitleOneTerm, {stage.pass, stage.start}};
    }
    return {kTitleSweep, {stage.pass, stage.start, stage.sweptFrom}};
}

std::string StageTitle(const WorkingStage& stage) {
    const StageTitleTemplate title = TitleOf(stage);
    std::string args[3];
    for (std::size_t i = 0; i < title.args.size(); ++i) {
        args[i] = std::to_string(title.args[i]);
    }
    return FillTemplate(title.text, {args[0], args[1], args[2]});
}

std::string FormatWorking(const std::vector<WorkingStage>& stages, int passCount) {
    std::string out;
    char line[160];
    for (const WorkingStage& stage : stages) {
        out += "  " + StageTitle(stage) + "\n";
        std::snprintf(line, sizeof line, "    %6s  %2s  %-22s  %-8s  %4s  %5s\n", "term", "op",
                      "value", "function", "open", "close");
        out += line;
        for (std::size_t i = 0; i < stage.terms.size(); ++i) {
            const Term& t = stage.terms[i];
            std::snprintf(line, sizeof line, "  %s %6zu  %2c  %-22s  %-8s  %4d  %5d\n",
                          stage.changed[i] ? "*" : " ", i, t.op, AnswerText(t.value).c_str(),
                          FunctionName(t.funcCode), t.openParens, t.closeParens);
            out += line;
        }
    }
    if (!stages.empty() && passCount > stages.back().pass) {
        std::snprintf(line, sizeof line, "  ... %d more passes not shown\n",
                      passCount - stages.back().pass);
        out += line;
    }
    return out;
}

std::string WorkingPlainText(const WorkingView& view, Translator translate) {
    constexpr const char* kWindow = "quorbit1::CWorkingWindow";
    constexpr const char* kWorking = "quorbit1::Working";
    const auto tr = [&](const char* context, const char* source,
                        std::initializer_list<std::string_view> args) {
        return FillTemplate(translate(context, source), args);
    };
    const std::string message =
        view.message.empty() ? std::string() : translate("quorbit1::Message", view.message.c_str());
    std::string out =
        tr(kWindow, "%1 in %2",
           {view.shownText,
            translate(kWindow,
                      view.angleMode == AngleMode(AngleUnit::kRadians) ? "radians" : "degrees")});
    out += '\n';
    if (!view.evaluated) {
        return out + tr(kWindow, "Not evaluated: %1", {message}) + '\n';
    }
    out += tr(kWindow, "Answer: %1", {view.answer});
    out += message.empty() ? "\n" : " (" + message + ")\n";
    out += tr(kWindow, "Read as %1", {ShownText(view.reading.text)}) + '\n';
    for (const ReadingNote& note : view.reading.notes) {
        out += "  " + tr(kWorking, RuleInfo(note.rule).words, {note.places}) + '\n';
    }
    if (view.usual.ok) {
        out += tr(kWindow, "Read with the usual precedence it would give %1.",
                  {AnswerText(view.usual.value)});
    } else {
        std::string why = tr(kWorking, UsualRefusalWords(view.usual.refusal), {view.usual.subject});
        if (view.usual.position != 0) {
            why = tr(kWorking, kUsualRefusalAt, {why, std::to_string(view.usual.position)});
        }
        out += tr(kWindow, "Read with the usual precedence it is not an expression (%1).", {why});
    }
    out += '\n';

    std::array<std::string, kWorkingColumns.size()> headings;
    std::size_t width[kWorkingColumns.size()] = {5, 3, 20, 8, 5, 5};
    for (std::size_t i = 0; i < headings.size(); ++i) {
        headings[i] = translate(kWindow, kWorkingColumns[i]);
        width[i] = std::max(width[i], CharacterCount(headings[i]));
    }
    // One line of a stage: each field left-justified in its column, in characters.
    const auto row = [&](const char* mark, const std::array<std::string, 6>& fields) {
        std::string line = mark;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            line += fields[i];
            line.append(width[i] + 1 - std::min(width[i], CharacterCount(fields[i])), ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        return line + '\n';
    };
    for (const WorkingStage& stage : view.stages) {
        const StageTitleTemplate title = TitleOf(stage);
        std::string args[3];
        for (std::size_t i = 0; i < title.args.size(); ++i) {
            args[i] = std::to_string(title.args[i]);
        }
        out += '\n' + tr(kWorking, title.text, {args[0], args[1], args[2]}) + '\n';
        out += row("  ", headings);
        for (std::size_t i = 0; i < stage.terms.size(); ++i) {
            const Term& t = stage.terms[i];
            out += row(stage.changed[i] ? "* " : "  ",
                       {std::to_string(i), t.op == '\0' ? std::string() : std::string(1, t.op),
                        AnswerText(t.value), TermFunctionName(t), std::to_string(t.openParens),
                        std::to_string(t.closeParens)});
        }
        if (stage.termCount > stage.terms.size()) {
            out += tr(kWindow, "... %1 more terms not shown",
                      {std::to_string(stage.termCount - stage.terms.size())}) +
                   '\n';
        }
    }
    if (!view.stages.empty() && view.passCount > view.stages.back().pass) {
        out += tr(kWindow, "... %1 more passes not shown",
                  {std::to_string(view.passCount - view.stages.back().pass)}) +
               '\n';
    }
    return out;
}

}  // namespace quorbit1
