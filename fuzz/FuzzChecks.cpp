#include "FuzzChecks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "Equation.h"
#include "Flags.h"

namespace quorbit1::fuzz {

namespace {

struct Outcome {
    std::uint64_t bits = 0;
    std::array<int, kFlagCount> flags{};
};

Outcome Take(const CEquation& e) {
    Outcome o;
    // Any NaN is the same answer (see SameBits).
    const double result = std::isnan(e.m_result) ? std::nan("") : e.m_result;
    std::memcpy(&o.bits, &result, sizeof o.bits);
    for (std::size_t i = 0; i < kFlagCount; ++i) {
        o.flags[i] = e.*(kFlags[i].field);
    }
    return o;
}

bool Same(const Outcome& a, const Outcome& b) {
    return a.bits == b.bits && a.flags == b.flags;
}

bool InLanguage(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           (c != '\0' && std::strchr(".()+-*/^ ", c) != nullptr);
}

// Records the largest bracket count any term holds after any pass, and whether every step told
// on a value named terms of the list and characters of the text.
class CountWatch final : public CEquationObserver {
public:
    explicit CountWatch(int textLength) : m_textLength(textLength) {}
    void Scanned(std::span<const Term> terms) override {
        Look(terms);
        m_count = static_cast<int>(terms.size()) + 1;  // with the evaluation's placeholder
    }
    void PassDone(int, int, int, std::span<const Term> terms) override { Look(terms); }
    bool WantsSteps() const override { return true; }
    void ScanDone(const ScanStep& s) override {
        stepsInRange =
            stepsInRange && s.term >= 0 && s.from >= 0 && s.from < s.to && s.to <= m_textLength;
    }
    void ValueDone(const ValueStep& s) override {
        stepsInRange =
            stepsInRange && s.at >= 0 && s.at < m_count && s.from >= 0 && s.from < m_count;
    }
    int most = 0;
    bool stepsInRange = true;

private:
    int m_textLength;
    int m_count = 0;
    void Look(std::span<const Term> terms) {
        for (const Term& t : terms) {
            most = std::max({most, t.openParens, t.closeParens});
        }
    }
};

// Bit for bit, except that all NaNs are alike: which NaN an operation on two NaNs gives depends
// on the order in which the compiler puts the operands (it may swap those of a sum or a
// product), and no front end shows a NaN's sign or payload.
bool SameBits(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

std::string Difference(const CEquation& a, const CEquation& b) {
    if (!Same(Take(a), Take(b))) {
        return "the answer or a flag differs";
    }
    const bool samePlaces =
        std::all_of(std::begin(kFlags), std::end(kFlags), [&](const FlagInfo& f) {
            return f.position == nullptr || (a.*(f.position))() == (b.*(f.position))();
        });
    if (!samePlaces) {
        return "a flag was raised at another position";
    }
    if (a.m_funcState != b.m_funcState) {
        return "the change-of-sign state differs";
    }
    if (a.GuardTripped() != b.GuardTripped()) {
        return "the pass guard differs";
    }
    if (a.m_terms.GetSize() != b.m_terms.GetSize()) {
        return "the term lists differ in length";
    }
    for (int i = 0; i < a.m_terms.GetSize(); ++i) {
        const Term s = a.m_terms.GetAt(i);
        const Term t = b.m_terms.GetAt(i);
        if (s.funcCode != t.funcCode || !SameBits(s.value, t.value) || s.op != t.op ||
            s.openParens != t.openParens || s.closeParens != t.closeParens) {
            return "term " + std::to_string(i) + " differs";
        }
    }
    return {};
}

std::string CheckInput(const std::uint8_t* data, std::size_t size, CEquation* reused) {
    const int mode = size > 0 ? (data[0] & 1) : 0;
    std::size_t at = std::min<std::size_t>(size, 2);
    SlotValues slots{};
    if (size > 1 && (data[1] & 1) != 0 && size >= at + sizeof slots) {
        std::memcpy(slots.data(), data + at, sizeof slots);
        at += sizeof slots;
    }
    const std::string text(reinterpret_cast<const char*>(data) + at, size - at);
    if (text.empty()) {
        return {};  // the front ends never hand the engine an empty text
    }

    const auto prepare = [&](CEquation& e) {
        e.m_text = text;
        e.m_angleMode = mode;
        e.SetSlots(slots);
    };

    CEquation first;
    CountWatch watch(static_cast<int>(text.size()));
    first.SetObserver(&watch);
    first.SetSelfCheck(true);
    prepare(first);
    first.Solve();
    for (int f : Take(first).flags) {
        if (f != 0 && f != 1) {
            return "a flag is neither 0 nor 1";
        }
    }
    if (first.GuardTripped()) {
        return "the pass guard ended an evaluation";
    }
    if (watch.most > first.ParenTotal()) {
        return "a term owns more brackets than the text holds";
    }
    if (!watch.stepsInRange) {
        return "a step named a term or a character that is not there";
    }
    const bool outside =
        std::any_of(text.begin(), text.end(), [](char c) { return !InLanguage(c); });
    if (outside != (first.m_errBadChar == 1)) {
        return outside ? "a character outside the language was not reported"
                       : "an invalid character was reported for a clean text";
    }

    // With the shortcuts, as users solve: on a fresh evaluator, and on one that solved other
    // texts before. Both must leave everything as the plain walks do.
    CEquation fresh;
    for (CEquation* e : {&fresh, reused}) {
        if (e != nullptr) {
            prepare(*e);
            e->Solve();
            if (const std::string d = Difference(first, *e); !d.empty()) {
                return (e == &fresh ? "a fresh evaluator disagrees: "
                                    : "a reused one disagrees: ") +
                       d;
            }
        }
    }
    return {};
}

}  // namespace quorbit1::fuzz
