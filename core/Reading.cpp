#include "Reading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "Functions.h"
#include "NumberText.h"
#include "TextTemplate.h"

namespace quorbit1 {

namespace {

constexpr std::size_t kPlacesShown = 3;   // per rule; the rest are "…"
constexpr std::size_t kPlaceLength = 40;  // characters of a place's expression, then "…"
constexpr const char* kEllipsis = "\u2026";

// The shortest of the answer's forms, to 15, 16 or 17 digits, that reads back as exactly this
// value, without its sign.
std::string MagnitudeText(double value) {
    const double magnitude = std::fabs(value);
    std::string text;
    for (int digits = 15;; ++digits) {
        text.clear();
        AppendNumberText(text, magnitude, digits);
        if (digits == 17 || !std::isfinite(magnitude) ||
            std::strtod(text.c_str(), nullptr) == magnitude) {
            return text;
        }
    }
}

// The function names as the engine spells them (FunctionName), in lower case.
constexpr auto kLowerNames = [] {
    std::array<std::array<char, 5>, kFunctionCount + 1> names{};
    for (int code = 0; code <= kFunctionCount; ++code) {
        const char* name = FunctionName(code);
        for (std::size_t i = 0; name[i] != '\0'; ++i) {
            names[static_cast<std::size_t>(code)][i] = static_cast<char>(name[i] | 0x20);
        }
    }
    return names;
}();

// How tightly a node binds, for the brackets of the one around it.
enum Binding : int { kSum = 1, kProduct = 2, kSign = 3, kPower = 4, kAtom = 5 };

}  // namespace

std::string_view ReadingFunctionName(int funcCode) {
    return funcCode >= 0 && funcCode <= kFunctionCount
               ? std::string_view(kLowerNames[static_cast<std::size_t>(funcCode)].data())
               : "?";
}

std::string ReadingNoteText(const ReadingNote& note) {
    return FillTemplate(RuleInfo(note.rule).words, {note.places});
}

int ReadingRecorder::Add(Node::Kind kind, int a, int b, char op, int funcCode) {
    Node& node = m_nodes.emplace_back();
    node.kind = kind;
    node.a = a;
    node.b = b;
    node.op = op;
    node.funcCode = funcCode;
    return static_cast<int>(m_nodes.size()) - 1;
}

int ReadingRecorder::AddText(std::string_view text, bool value) {
    const int node =
        Add(Node::Kind::kText, static_cast<int>(m_texts.size()), static_cast<int>(text.size()));
    m_nodes.back().value = value;
    m_texts += text;
    return node;
}

int ReadingRecorder::AddWritten(int from, int length) {
    const int node = Add(Node::Kind::kText, from, length);
    m_nodes.back().written = true;
    return node;
}

int ReadingRecorder::Negated(int node) {
    // An empty term is +0, and stays one: -0 behaves as 0 in every step that could follow.
    return node < 0 ? node : Add(Node::Kind::kNegate, node);
}

void ReadingRecorder::Note(ReadingRule rule, const std::string& place) {
    auto it = std::find_if(m_notes.begin(), m_notes.end(),
                           [&](const ReadingNote& n) { return n.rule == rule; });
    if (it == m_notes.end()) {
        m_notes.push_back({rule, place});
        m_noteCounts.push_back(1);
        return;
    }
    int& count = m_noteCounts[static_cast<std::size_t>(it - m_notes.begin())];
    if (static_cast<std::size_t>(count) < kPlacesShown) {
        it->places += ", " + place;
    } else if (static_cast<std::size_t>(count) == kPlacesShown) {
        it->places += std::string(", ") + kEllipsis;
    }
    ++count;
}

void ReadingRecorder::ScanDone(const ScanStep& step) {
    if (step.term < 0) {
        return;
    }
    if (m_scanComplete) {
        Clear();  // the first step of the next solve
    }
    const auto term = static_cast<std::size_t>(step.term);
    if (m_scanned.size() <= term) {
        m_scanned.resize(std::max(term + 1, 2 * m_scanned.size()));
    }
    TermScan& s = m_scanned[term];
    const auto grow = [&] {
        s.from = s.from < 0 ? step.from : s.from;
        s.to = step.to;
    };
    switch (step.kind) {
        case ScanStep::Kind::kDigits:
            // Digits and points right behind digits and points are one numeral.
            if (s.pieces == 0 || s.to != step.from || s.slot) {
                s.pieces += 1;
            }
            if (step.to - step.from == 1 &&
                m_equation.m_text[static_cast<std::size_t>(step.from)] == '.') {
                s.points += 1;
            } else {
                s.digits = true;
            }
            grow();
            break;
        case ScanStep::Kind::kName:
            if (step.valueSet && s.pieces > 0) {
                s.malformed = true;  // what came before is lost
            }
            if (step.slot >= 0) {
                s.pieces += 1;
                s.slot = true;
                grow();
            } else if (step.valueSet) {
                s.slot = false;
            }
            if (step.funcCode != 0) {
                if (s.nameFrom >= 0) {
                    Note(ReadingRule::kFunctionLost,
                         m_equation.m_text.substr(static_cast<std::size_t>(s.nameFrom),
                                                  static_cast<std::size_t>(s.nameTo - s.nameFrom)));
                }
                s.nameFrom = step.from;
                s.nameTo = step.to;
            }
            break;
        case ScanStep::Kind::kArgumentMinus:
            s.argumentMinus = true;
            break;
    }
}

void ReadingRecorder::Scanned(std::span<const Term> terms) {
    if (m_scanComplete) {
        Clear();  // a solve whose scan told no step
    }
    m_scanned.resize(std::max(m_scanned.size(), terms.size()));
    m_at.assign(terms.size() + 1, -1);
    m_funcCodes.resize(terms.size());
    const std::string& text = m_equation.m_text;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const TermScan& s = m_scanned[i];
        m_funcCodes[i] = terms[i].funcCode;
        if (s.pieces == 0) {
            continue;
        }
        if (s.pieces == 1 && !s.malformed && !s.slot && s.points <= 1 && s.digits) {
            m_at[i] = AddWritten(s.from, s.to - s.from);  // a numeral as written
            continue;
        }
        const std::string_view written = std::string_view(text).substr(
            static_cast<std::size_t>(s.from), static_cast<std::size_t>(s.to - s.from));
        const double value = terms[i].value;
        const int magnitude = AddText(MagnitudeText(value), true);
        m_at[i] = std::signbit(value) && !std::isnan(value) ? Negated(magnitude) : magnitude;
        if (!(s.pieces == 1 && !s.malformed && s.slot)) {
            Note(ReadingRule::kNumberRead,
                 std::string(written) + " \u2192 " + Print(m_at[i], kPlaceLength));
        }
    }
    m_scanComplete = true;
}

void ReadingRecorder::ValueDone(const ValueStep& step) {
    if (step.at < 0 || static_cast<std::size_t>(step.at) >= m_at.size() || step.from < 0 ||
        static_cast<std::size_t>(step.from) >= m_at.size()) {
        return;
    }
    int& at = m_at[static_cast<std::size_t>(step.at)];
    int& from = m_at[static_cast<std::size_t>(step.from)];
    switch (step.kind) {
        case ValueStep::Kind::kNegate: {
            const auto term = static_cast<std::size_t>(step.at);
            if (step.op == '-' && term < m_funcCodes.size() && m_funcCodes[term] != 0 &&
                !(term < m_scanned.size() && m_scanned[term].argumentMinus)) {
                const std::string_view name = ReadingFunctionName(m_funcCodes[term]);
                Note(ReadingRule::kMinusMoved, "-" + std::string(name) + "(\u2026) \u2192 " +
                                                   std::string(name) + "(-\u2026)");
            }
            at = Negated(at);
            break;
        }
        case ValueStep::Kind::kApply:
            if (step.refused) {
                Note(ReadingRule::kLogRefused, std::string(ReadingFunctionName(step.funcCode)) +
                                                   "(" + Print(at, kPlaceLength) + ")");
                at = AddText("0");
            } else {
                at = Add(Node::Kind::kFunction, at, -1, 0, step.funcCode);
            }
            break;
        case ValueStep::Kind::kFold:
            switch (step.fold) {
                case ValueStep::Fold::kDone:
                    if (step.op != '+') {
                        at = Add(Node::Kind::kBinary, at, from, step.op);
                    } else if (at < 0) {
                        at = from;
                    } else if (from >= 0) {
                        at = Add(Node::Kind::kBinary, at, from, '+');
                    }
                    break;
                case ValueStep::Fold::kZeroFactor:
                    if (at >= 0) {
                        Note(ReadingRule::kZeroFactor, Print(at, kPlaceLength) + "*");
                    }
                    at = from;
                    break;
                case ValueStep::Fold::kDivisorNearZero:
                    Note(ReadingRule::kDivisorNearZero, "/" + Print(from, kPlaceLength));
                    break;
                case ValueStep::Fold::kDividendNearZero:
                    Note(ReadingRule::kDividendNearZero,
                         Print(at, kPlaceLength) + "/" + Print(from, kPlaceLength));
                    at = -1;
                    break;
                case ValueStep::Fold::kMarker:
                    break;
            }
            if (step.from != step.at) {
                from = -1;
            }
            break;
        case ValueStep::Kind::kMove:
            if (at >= 0 && !step.negate) {
                // A term that held a 0 as written (anything else is never moved onto).
                Note(ReadingRule::kZeroTerm, Print(at, kPlaceLength));
            }
            at = step.negate ? Negated(from) : from;
            if (step.from != step.at) {
                from = -1;
            }
            break;
    }
}

void ReadingRecorder::PassDone(int, int, int, std::span<const Term>) {}

Reading ReadingRecorder::Take() {
    Reading reading;
    reading.text = Print(m_at.empty() ? -1 : m_at[0], SIZE_MAX, &reading.values);
    reading.notes = std::move(m_notes);
    Clear();
    return reading;
}

void ReadingRecorder::Clear() {
    m_notes.clear();
    m_noteCounts.clear();
    m_nodes.clear();
    m_texts.clear();
    m_at.clear();
    m_scanned.clear();
    m_funcCodes.clear();
    m_scanComplete = false;
}

// Written without recursion, for trees as deep as a text is long: a stack of what is still to
// be written, either a piece of text or a node.
std::string ReadingRecorder::Print(int root, std::size_t limit,
                                   std::vector<std::pair<std::size_t, std::size_t>>* values) const {
    const auto binding = [&](int node) {
        if (node < 0) {
            return kAtom;
        }
        const Node& n = m_nodes[static_cast<std::size_t>(node)];
        switch (n.kind) {
            case Node::Kind::kNegate:
                return kSign;
            case Node::Kind::kBinary:
                return n.op == '+' ? kSum : n.op == '^' ? kPower : kProduct;
            default:
                return kAtom;
        }
    };
    struct Item {
        int node = -1;
        char piece = 0;  // written as it is, instead of a node
    };
    std::vector<Item> todo{{root}};
    todo.reserve(m_nodes.size() / 4 + 16);
    std::string out;
    out.reserve(std::min(limit, m_equation.m_text.size() + m_texts.size() + 4 * m_nodes.size()) +
                4);
    const auto push = [&](int node, bool bracketed) {
        if (bracketed) {
            todo.push_back({-1, ')'});
        }
        todo.push_back({node});
        if (bracketed) {
            todo.push_back({-1, '('});
        }
    };
    // A number (or an empty term's 0) is written at once; what is left for later goes on the
    // stack. A left operand or an argument that is a number is written right away too, being
    // the next thing to write.
    const auto isNumber = [&](int node) {
        return node < 0 || m_nodes[static_cast<std::size_t>(node)].kind == Node::Kind::kText;
    };
    const auto writeNumber = [&](int node) {
        if (node < 0) {
            out += '0';
            return;
        }
        const Node& n = m_nodes[static_cast<std::size_t>(node)];
        if (n.value && values != nullptr) {
            values->emplace_back(out.size(), static_cast<std::size_t>(n.b));
        }
        out.append(n.written ? m_equation.m_text : m_texts, static_cast<std::size_t>(n.a),
                   static_cast<std::size_t>(n.b));
    };
    while (!todo.empty()) {
        if (out.size() > limit) {
            out.resize(limit);
            out += kEllipsis;
            break;
        }
        const Item item = todo.back();
        todo.pop_back();
        if (item.piece != 0) {
            out += item.piece;
            continue;
        }
        if (isNumber(item.node)) {
            writeNumber(item.node);
            continue;
        }
        const Node& n = m_nodes[static_cast<std::size_t>(item.node)];
        switch (n.kind) {
            case Node::Kind::kText:
                break;  // written above
            case Node::Kind::kNegate:
                out += '-';
                push(n.a, binding(n.a) < kAtom);
                break;
            case Node::Kind::kFunction:
                out += ReadingFunctionName(n.funcCode);
                out += '(';
                todo.push_back({-1, ')'});
                if (isNumber(n.a)) {
                    writeNumber(n.a);
                } else {
                    todo.push_back({n.a});
                }
                break;
            case Node::Kind::kBinary: {
                // The right operand in reverse order first, for the stack.
                const int right = n.b;
                const Binding rightBinding = binding(right);
                if (n.op == '+' && rightBinding == kSign) {
                    // a+(-b) is a-b, bit for bit.
                    const int negated = m_nodes[static_cast<std::size_t>(right)].a;
                    const Binding inner = binding(negated);
                    push(negated, inner == kSum || inner == kSign);
                    todo.push_back({-1, '-'});
                } else {
                    const bool bracket = n.op == '+'   ? rightBinding == kSum
                                         : n.op == '^' ? rightBinding < kAtom
                                                       : rightBinding <= kSign;
                    push(right, bracket);
                    todo.push_back({-1, n.op});
                }
                if (isNumber(n.a)) {
                    writeNumber(n.a);
                } else {
                    const Binding leftBinding = binding(n.a);
                    push(n.a,
                         n.op == '^' ? leftBinding < kAtom : n.op != '+' && leftBinding == kSum);
                }
                break;
            }
        }
    }
    return out;
}

}  // namespace quorbit1
