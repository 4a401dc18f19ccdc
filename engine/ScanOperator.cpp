#include "CharClass.h"
#include "Equation.h"

// Opens the term of the next operand, directly behind the current one, and makes it current.
// Terms that stood behind the current one (a function's two placeholders) move up behind it.
void CEquation::OpenTerm(char op) {
    m_termIndex += 1;
    m_terms.InsertAt(m_termIndex, m_scratch);
    m_scratch = m_terms.GetAt(m_termIndex);
    ResetScratch();
    m_scratch.op = op;
    m_terms.SetAt(m_termIndex, m_scratch);
}

// operator-char := '+' | '-' | '*' | '/' | '^' | ' '
// minus         := '-' { ' ' | '(' }
// Also the one-character step past a digit, point or letter that the other scanners end with.
// An operator never closes anything: the number and name scanners write straight into the
// current term, so all an operator does is open the next one.
void CEquation::ScanOperator() {
    const auto at = [this](int p) { return m_buf[static_cast<std::size_t>(p)]; };
    m_ch = at(m_pos);

    if (at(m_pos) == ' ' && at(m_pos + 1) == ' ') {
        m_errSpaces = 1;
        if (m_spacesPos < 0) {
            m_spacesPos = m_pos;
        }
    }

    // Two operators in a row, with at most one space or the end of the text between them. The
    // look-ahead never goes past two characters, so '2+  +3' is a spacing fault only.
    if (charclass::Is(m_ch, charclass::kOperator)) {
        m_ahead = 1;
        m_peek = at(m_pos + 1);
        if (!charclass::Is(m_peek, charclass::kOperator) && (m_peek == ' ' || m_peek == '\0')) {
            m_ahead = 2;
            m_peek = at(m_pos + 2);
        }
        if (charclass::Is(m_peek, charclass::kOperator)) {
            m_errSeqOps = 1;
            if (m_seqOpsPos < 0) {
                m_seqOpsPos = m_pos;
            }
        }
    }

    if (m_ch == '*' || m_ch == '+' || m_ch == '/' || m_ch == '^') {
        OpenTerm(m_ch);
        m_decimalSeen = 0;
    } else if (m_ch == '-') {
        // A minus is a subtraction, a change of sign of the bracket that follows it, or (after
        // a function name in a text without any ')') the sign of the function's argument.
        m_minusPending = 1;
        m_scratch = m_terms.GetAt(m_termIndex);
        m_funcCode = m_scratch.funcCode;
        if (m_funcCode > 0 && m_closeCount > 0) {
            m_funcCode = 0;
        }
        // The run absorbs the spaces and brackets behind the minus; its spaces are not subject
        // to the spacing rule and its brackets are counted here, not by the driver.
        do {
            m_pos += 1;
            m_ch = at(m_pos);
            if (m_ch == '(' && m_minusPending == 1) {
                OpenTerm('$');
                m_minusPending = 0;
                OpenTerm('+');
            }
            if (m_ch == '(') {
                m_scratch = m_terms.GetAt(m_termIndex);
                m_scratch.openParens += 1;
                m_openCount = m_scratch.openParens;
                m_terms.SetAt(m_termIndex, m_scratch);
            }
        } while (m_ch == ' ' || m_ch == '(');
        m_pos -= 1;
        if (m_minusPending == 1 && m_funcCode == 0) {
            OpenTerm('-');
        }
        if (m_minusPending == 1 && m_funcCode != 0) {
            m_scratch = m_terms.GetAt(m_termIndex);
            m_scratch.op = '-';
            m_terms.SetAt(m_termIndex, m_scratch);
        }
        m_decimalSeen = 0;
    }
    m_pos += 1;
}
