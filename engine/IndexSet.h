// A set of term indices with a quick first and last member: one bit per index, plus one bit per
// word of those bits that is not empty, so a search reads n/4096 words and then two.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace quorbit1::engine {

class IndexSet {
public:
    // Empties the set and makes room for indices 0 .. size-1 (storage is kept for reuse).
    void Reset(int size) {
        const std::size_t words = (static_cast<std::size_t>(size) + 63) / 64;
        m_bits.assign(words, 0);
        m_summary.assign((words + 63) / 64, 0);
    }

    void Set(int index, bool member) {
        const auto i = static_cast<std::size_t>(index);
        std::uint64_t& word = m_bits[i / 64];
        const std::uint64_t bit = std::uint64_t{1} << (i % 64);
        word = member ? (word | bit) : (word & ~bit);
        std::uint64_t& summary = m_summary[i / 4096];
        const std::uint64_t wordBit = std::uint64_t{1} << ((i / 64) % 64);
        summary = word != 0 ? (summary | wordBit) : (summary & ~wordBit);
    }

    // Indices 64 word .. 64 word + 63 as the bits of members, for a word of a fresh set.
    void FillWord(std::size_t word, std::uint64_t members) {
        m_bits[word] = members;
        m_summary[word / 64] |= members != 0 ? std::uint64_t{1} << (word % 64) : 0;
    }

    // The smallest member, or -1.
    int First() const {
        for (std::size_t s = 0; s < m_summary.size(); ++s) {
            if (m_summary[s] != 0) {
                const std::size_t w =
                    s * 64 + static_cast<std::size_t>(std::countr_zero(m_summary[s]));
                return static_cast<int>(w * 64 +
                                        static_cast<std::size_t>(std::countr_zero(m_bits[w])));
            }
        }
        return -1;
    }

    // The largest member, or -1.
    int Last() const {
        for (std::size_t s = m_summary.size(); s-- > 0;) {
            if (m_summary[s] != 0) {
                const std::size_t w =
                    s * 64 + 63 - static_cast<std::size_t>(std::countl_zero(m_summary[s]));
                return static_cast<int>(w * 64 + 63 -
                                        static_cast<std::size_t>(std::countl_zero(m_bits[w])));
            }
        }
        return -1;
    }

    // The largest member below index, or -1.
    int Before(int index) const {
        if (index <= 0) {
            return -1;
        }
        const std::size_t last = static_cast<std::size_t>(index - 1);
        std::size_t w = last / 64;
        const std::uint64_t below = m_bits[w] & (~std::uint64_t{0} >> (63 - last % 64));
        if (below != 0) {
            return static_cast<int>(w * 64 + 63 -
                                    static_cast<std::size_t>(std::countl_zero(below)));
        }
        // Earlier words of the same summary word, then earlier summary words.
        std::size_t s = w / 64;
        std::uint64_t summary = m_summary[s] & ((std::uint64_t{1} << (w % 64)) - 1);
        while (summary == 0) {
            if (s == 0) {
                return -1;
            }
            summary = m_summary[--s];
        }
        w = s * 64 + 63 - static_cast<std::size_t>(std::countl_zero(summary));
        return static_cast<int>(w * 64 + 63 -
                                static_cast<std::size_t>(std::countl_zero(m_bits[w])));
    }

private:
    std::vector<std::uint64_t> m_bits;
    std::vector<std::uint64_t> m_summary;
};

}  // namespace quorbit1::engine
