#include "Equation.h"
#include "CharClass.h"

#include <cassert>
#include <cstring>

void TermArray::ResetToOne() {
    if (m_items.empty()) {
        m_items.push_back(Term{0, 0.0, 0, 0, 0});
    } else {
        m_items.resize(1);
    }
}

CEquation::CEquation() = default;

void CEquation::ResetScratch() {
    m_scratch = Term{0, 0.0, '+', 0, 0};
}

void CEquation::Reset() {
    m_len = 0;
    m_pos = 0;
    m_termIndex = 0;
    m_decimalSeen = 0;
    m_openCount = 0;
    m_closeCount = 0;
    m_funcCode = 0;
    m_terms.ResetToOne();
    m_errEmpty = 0;
    m_errParens = 0;
    m_errTrigExp = 0;
    m_errSpaces = 0;
    m_errSeqOps = 0;
    m_errLog10Neg = 0;
    m_errLnNeg = 0;
    m_errDomain = 0;
    m_errLongNumber = 0;
    m_errBadChar = 0;
    // A change-of-sign state left by an earlier solve must not change this one's answer.
    m_funcState = 0;
    m_badCharPos = m_trigExpPos = m_spacesPos = m_seqOpsPos = -1;
    m_runEnd = 0;
    m_lastPoint = -1;
    m_pendingPlaceholders = 0;

    m_len = static_cast<int>(m_text.size());
    if (m_len < 1) {
        m_errEmpty = 1;
    }
    // The buffer holds the text and at least four NULs behind it, whatever the text's length.
    m_buf.assign(static_cast<std::size_t>(m_len) + 4, '\0');
    for (int p = 0; p < m_len; ++p) {
        m_ch = m_text[static_cast<std::size_t>(p)];
        if (m_ch == '(') {
            m_openCount += 1;
        }
        if (m_ch == ')') {
            m_closeCount += 1;
        }
        m_buf[static_cast<std::size_t>(p)] = m_ch;
    }
    m_parenBalance = m_openCount - m_closeCount;
    if (m_parenBalance != 0) {
        m_errParens = 1;
    }
    m_parenTotal = m_openCount + m_closeCount;

    m_hit = 0;
    ResetScratch();
    m_terms.SetAt(0, m_scratch);
    m_pos = 0;
    m_termIndex = 0;
    m_ch = '\0';
}

void CEquation::Scan() {
    Reset();
    for (int p = 0; p < m_len; ++p) {
        m_ch = m_buf[static_cast<std::size_t>(p)];
        if (m_ch >= 'a' && m_ch <= 'z') {
            m_marker = static_cast<char>(m_ch - 'a' + 'A');
            m_buf[static_cast<std::size_t>(p)] = m_marker;
        }
    }
    m_pos = 0;
    m_termIndex = 0;

    // One pass per character class met; the pass is over once a scanner has consumed at least
    // one character. The test comes after the pass, so a one-character text gets one pass.
    do {
        m_ch = m_buf[static_cast<std::size_t>(m_pos)];
        m_hit = 0;
        if (m_ch == '(') {
            m_scratch = m_terms.GetAt(m_termIndex);
            m_openCount = m_scratch.openParens + 1;
            m_scratch.openParens = m_openCount;
            m_terms.SetAt(m_termIndex, m_scratch);
            m_pos += 1;
        } else if (m_ch == ')') {
            m_scratch = m_terms.GetAt(m_termIndex);
            m_closeCount = m_scratch.closeParens + 1;
            m_scratch.closeParens = m_closeCount;
            m_terms.SetAt(m_termIndex, m_scratch);
            m_pos += 1;
        } else if (m_pos < m_len && !charclass::Is(m_ch, charclass::kNumber) &&
                   !charclass::Is(m_ch, charclass::kLetter) &&
                   !charclass::Is(m_ch, charclass::kOperatorOrSpace)) {
            // No scanner takes this character (a NUL inside the text included), so nothing
            // would move past it: step over it and say so, leaving every term as it was. The
            // empty text's single pass reads the NUL behind the text and is no such case.
            m_errBadChar = 1;
            if (m_badCharPos < 0) {
                m_badCharPos = m_pos;
            }
            m_pos += 1;
            continue;
        }
        m_hit = 0;
        if (charclass::Is(m_ch, charclass::kNumber)) {
            ScanNumber();
        }
        m_hit = 0;
        if (charclass::Is(m_ch, charclass::kLetter)) {
            ScanName();
        }
        m_hit = 0;
        if (charclass::Is(m_ch, charclass::kOperatorOrSpace)) {
            ScanOperator();
        }
        m_hit = 0;
    } while (m_pos < m_len);

    ResetScratch();
    for (; m_pendingPlaceholders > 0; --m_pendingPlaceholders) {
        m_terms.InsertAt(m_terms.GetSize(), m_scratch);
    }
    m_scratch = m_terms.GetAt(m_termIndex);

    if (m_observer != nullptr) {
        m_observer->Scanned(m_terms);
    }
}

void CEquation::Solve() {
    if (SolveCompact()) {
        return;
    }
    Scan();
    Evaluate();
    m_scratch = m_terms.GetAt(0);
    m_acc = m_scratch.value;
    m_result = m_scratch.value;
    m_pos = 0;
}
