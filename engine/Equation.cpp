#include "Equation.h"

#include <iterator>

#include "Flags.h"
#include "Solver.h"

namespace quorbit1 {

Term* TermArray::Room(int count) {
    if (count > m_capacity) {
        // Grown well ahead, so a run of texts of slowly rising length allocates seldom.
        const int capacity = count > 2 * m_capacity ? count : 2 * m_capacity;
        m_items = std::make_unique<Term[]>(static_cast<std::size_t>(capacity));
        m_capacity = capacity;
        m_size = 0;
    }
    return m_items.get();
}

CEquation::CEquation() = default;
CEquation::~CEquation() = default;

void CEquation::Solve() {
    // The steps are told only to an observer that asks for them; otherwise the code that tells
    // them is not there at all.
    const bool steps = m_observer != nullptr && m_observer->WantsSteps();
    if (m_selfCheck) {
        steps ? engine::Solver<false, true>(*this).Solve()
              : engine::Solver<false, false>(*this).Solve();
    } else {
        steps ? engine::Solver<true, true>(*this).Solve()
              : engine::Solver<true, false>(*this).Solve();
    }
}

namespace engine {

template <bool kShortcuts, bool kSteps>
void Solver<kShortcuts, kSteps>::Solve() {
    Reset();
    Scan();
    if (m_eq.m_observer != nullptr) {
        // Evaluate's own placeholder is not in the list yet as the scan hands it on; it is one
        // of the empty terms at the end, all alike.
        m_eq.m_observer->Scanned({m_t, static_cast<std::size_t>(m_count - 1)});
    }
    Evaluate();

    CEquation& e = m_eq;
    e.m_terms.SetSize(m_count);
    e.m_parenTotal = m_opens + m_closes;
    // What the solve found, in the order of the flags' table; a flag added to the table without
    // its finding here does not compile.
    const int found[] = {
        m_len < 1 ? 1 : 0, m_opens != m_closes ? 1 : 0,
        m_trigExp.flag,    m_spaces.flag,
        m_seqOps.flag,     m_errLog10Neg,
        m_errLnNeg,        m_nanSeen ? 1 : 0,
        m_errLongNumber,   m_badChar.flag,
    };
    static_assert(std::size(found) == kFlagCount);
    for (std::size_t i = 0; i < kFlagCount; ++i) {
        e.*(kFlags[i].field) = found[i];
    }
    e.m_badCharPos = m_badChar.pos;
    e.m_trigExpPos = m_trigExp.pos;
    e.m_spacesPos = m_spaces.pos;
    e.m_seqOpsPos = m_seqOps.pos;
    e.m_funcState = m_funcState;
    e.m_guardTripped = m_guardTripped;
    e.m_result = m_t[0].value;
}

}  // namespace engine

}  // namespace quorbit1
