#include "CharClass.h"
#include "Equation.h"

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

    const char c1 = at(m_pos + 1);
    if (charclass::Is(c1, charclass::kSecondLetter)) {
        const char c2 = at(m_pos + 2);
        const auto is3 = [&](const char* name) {
            return c0 == name[0] && c1 == name[1] && c2 == name[2];
        };
        if (c0 == 'L' && c1 == 'N') {
            setFunc(8);
            m_pos += 1;
        } else if (is3("SIN")) {
            setFunc(1);
            m_pos += 2;
        } else if (is3("COS")) {
            setFunc(2);
            m_pos += 2;
        } else if (is3("TAN")) {
            setFunc(3);
            setValue(0.0);  // undoes the value the T took from its variable slot
            m_pos += 2;
        } else if (is3("LOG")) {
            setFunc(7);
            m_pos += 2;
        } else if (c0 == 'A') {
            const char c3 = at(m_pos + 3);
            const auto is4 = [&](const char* name) { return is3(name) && c3 == name[3]; };
            if (is3("ALN")) {
                setFunc(10);
                m_pos += 2;
            } else if (is4("ASIN")) {
                setFunc(4);
                m_pos += 3;
            } else if (is4("ACOS")) {
                setFunc(5);
                m_pos += 3;
            } else if (is4("ATAN")) {
                setFunc(6);
                m_pos += 3;
            } else if (is4("ALOG")) {
                setFunc(9);
                m_pos += 3;
            }
        }
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
