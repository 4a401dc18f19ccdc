#include "Equation.h"
#include "Functions.h"

// name := 'X' | 'Y' | 'Z' | 'T'
//       | 'LN' | 'SIN' | 'COS' | 'TAN' | 'LOG' | 'ALN' | 'ASIN' | 'ACOS' | 'ATAN' | 'ALOG'
// A name is matched by its own letters alone, never by what follows it, so 'SINH' is SIN and
// then an unknown 'H'. The function goes onto the current term; the bracket and number that
// follow it are counted and added into that same term. Every call puts two empty terms behind
// the current one, whatever it recognised.
void CEquation::ScanName() {
    const auto at = [this](int p) { return m_buf[static_cast<std::size_t>(p)]; };
    const auto setFunc = [this](int code) {
        m_scratch = m_terms.GetAt(m_termIndex);
        m_scratch.funcCode = code;
        m_terms.SetAt(m_termIndex, m_scratch);
        m_nameFound = 1;
    };
    const auto setValue = [this](double value) {
        m_scratch = m_terms.GetAt(m_termIndex);
        m_scratch.value = value;
        m_terms.SetAt(m_termIndex, m_scratch);
    };

    m_nameFound = 0;
    if (m_selfCheck) {
        // The plain way, which the counted placeholders stand for.
        for (int k = 1; k <= 2; ++k) {
            m_terms.InsertAt(m_termIndex + k, m_scratch);
            m_scratch = m_terms.GetAt(m_termIndex + k);
            ResetScratch();
            m_terms.SetAt(m_termIndex + k, m_scratch);
        }
    } else {
        m_pendingPlaceholders += 2;
        ResetScratch();
    }

    const int start = m_pos;
    const char c0 = at(m_pos);
    if (c0 == 'X') {
        setValue(m_varX);
        m_nameFound = 1;
    } else if (c0 == 'Y') {
        setValue(m_varY);
        m_nameFound = 1;
    } else if (c0 == 'Z') {
        setValue(m_varZ);
        m_nameFound = 1;
    } else if (c0 == 'T') {
        // T is also the first letter of TAN, so matching goes on below.
        setValue(m_varT);
        m_nameFound = 1;
    }

    // The letters are upper-cased already; the buffer ends in NULs, so four can be read.
    const quorbit1_functions::NameMatch match =
        quorbit1_functions::MatchFunctionName(c0, at(m_pos + 1), at(m_pos + 2), at(m_pos + 3));
    if (match.code != 0) {
        setFunc(match.code);
        if (match.code == 3) {
            setValue(0.0);  // TAN undoes the value the T took from its variable slot
        }
        m_pos += match.length - 1;
    }

    if (m_nameFound < 1) {
        m_errTrigExp = 1;
        if (m_trigExpPos < 0) {
            m_trigExpPos = start;
        }
    }
    m_decimalSeen = 0;
    m_scratch = m_terms.GetAt(m_termIndex);
    StepPast();  // the operator scanner's step over the letter just handled
}
