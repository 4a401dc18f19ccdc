#include <array>
#include <cassert>
#include <cmath>

#include "CharClass.h"
#include "Equation.h"
#include "PowersOfTen.h"

namespace quorbit1_digits {

const std::array<double, 2 * kPlaceBound - 1> kPowersOfTen = [] {
    std::array<double, 2 * kPlaceBound - 1> table{};
    for (int k = -(kPlaceBound - 1); k < kPlaceBound; ++k) {
        table[static_cast<std::size_t>(k + kPlaceBound - 1)] =
            std::pow(10.0, static_cast<double>(k));
    }
    return table;
}();

}  // namespace quorbit1_digits

using quorbit1_digits::kPlaceBound;
using quorbit1_digits::PowerOfTen;

// number-char := digit | '.'
// Handles exactly one digit or point. A digit's share is digit * 10^place, where the place is
// the number of digits right behind it (integer part) or its distance from the nearest point on
// its left (fraction). Numbers are never converted as a whole, so '0.3' is 3 * 10^-1 and
// carries that product's rounding.
void CEquation::ScanNumber() {
    m_numStart = m_pos;
    m_ch = m_buf[static_cast<std::size_t>(m_pos)];
    if (charclass::Is(m_ch, charclass::kDigit)) {
        m_digit = static_cast<double>(m_ch - '0');
    }
    if (m_ch == '.') {
        m_decimalSeen = 1;
        m_lastPoint = m_numStart;
    }
    if (m_decimalSeen == 0) {
        // The digits behind this one: every digit of one run ends at the same place, so the
        // run's end found for an earlier digit of it still holds.
        if (m_numStart < m_runEnd) {
            m_pos = m_runEnd;
        } else {
            m_pos = m_numStart + 1;
            while (charclass::Is(m_buf[static_cast<std::size_t>(m_pos)], charclass::kDigit)) {
                m_pos += 1;
            }
            m_runEnd = m_pos;
        }
        if (m_selfCheck) {
            int end = m_numStart + 1;
            while (charclass::Is(m_buf[static_cast<std::size_t>(end)], charclass::kDigit)) {
                end += 1;
            }
            m_selfCheckFailures += end != m_pos ? 1 : 0;
        }
        m_ch = m_buf[static_cast<std::size_t>(m_pos)];
        m_place = m_pos - m_numStart - 1;
    }
    if (m_decimalSeen == 1 && charclass::Is(m_ch, charclass::kDigit)) {
        // Every '.' of the text starts a pass of its own, so the last one handled is the
        // nearest on this digit's left.
        assert(m_lastPoint >= 0 && m_lastPoint < m_numStart);
        if (m_selfCheck) {
            int point = m_numStart - 1;
            while (point > 0 && m_buf[static_cast<std::size_t>(point)] != '.') {
                point -= 1;
            }
            m_selfCheckFailures += point != m_lastPoint ? 1 : 0;
        }
        m_place = m_numStart - m_lastPoint;
        m_pos = m_numStart;
    }
    AccumulateDigit();
    m_digit = 0.0;
    m_pos = m_numStart;
    m_ch = m_buf[static_cast<std::size_t>(m_pos)];
    StepPast();  // the operator scanner's step over the digit or point just handled
}

// Adds m_digit's share into the current term. The product and the sum are rounded one at a
// time, in this order, which is what makes the last bits of a number come out as they do.
void CEquation::AccumulateDigit() {
    m_placeStep = 0;
    if (m_decimalSeen == 0) {
        if (m_place >= 0 && m_place < kPlaceBound) {
            m_placeStep = m_place;
            m_scratch = m_terms.GetAt(m_termIndex);
            m_acc = m_scratch.value;
            m_acc = PowerOfTen(m_placeStep) * m_digit + m_acc;
            m_scratch.value = m_acc;
            m_terms.SetAt(m_termIndex, m_scratch);
        } else if (m_digit != 0.0) {
            // The digit still adds nothing, but the number the user typed is not the one used.
            m_errLongNumber = 1;
        }
    }
    m_ch = m_buf[static_cast<std::size_t>(m_pos)];
    if (m_decimalSeen == 1 && charclass::Is(m_ch, charclass::kDigit)) {
        if (m_place >= 0 && m_place < kPlaceBound) {
            m_placeStep = m_place;
            m_scratch = m_terms.GetAt(m_termIndex);
            m_acc = m_scratch.value;
            m_arg = -static_cast<double>(m_placeStep);
            m_acc = PowerOfTen(-m_placeStep) * m_digit + m_acc;
            m_scratch.value = m_acc;
            m_terms.SetAt(m_termIndex, m_scratch);
        }
    }
    m_placeStep = 0;
}
