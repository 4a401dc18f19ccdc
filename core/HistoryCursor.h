// Up and Down through the history in an expression field, as a shell does: Up steps to older
// expressions, Down back to newer ones and finally to what was being typed before the first Up,
// which is kept as the draft. Shared by the front ends that offer recall.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorbit1 {

class HistoryCursor {
public:
    // Back after the newest of size entries, where the text being typed is; the draft is
    // dropped. For a new history entry, and after the history was emptied.
    void Reset(std::size_t size) {
        m_pos = size;
        m_draft.clear();
    }

    // One step older (-1) or newer (+1) through entries, from a field that now holds current.
    // Returns the text the field is to show, or nothing when there is no step to take.
    std::optional<std::string> Step(int step, const std::vector<std::string>& entries,
                                    const std::string& current) {
        const std::size_t size = entries.size();
        m_pos = std::min(m_pos, size);
        if (size == 0 || (step < 0 && m_pos == 0) || (step > 0 && m_pos == size)) {
            return std::nullopt;
        }
        if (m_pos == size) {
            m_draft = current;
        }
        m_pos = step < 0 ? m_pos - 1 : m_pos + 1;
        return m_pos == size ? m_draft : entries[m_pos];
    }

private:
    std::size_t m_pos = 0;
    std::string m_draft;
};

}  // namespace quorbit1
