// libFuzzer entry for the history reader: whatever bytes the file holds, every entry kept is one
// the store would write, the limit holds, and what it keeps reads back unchanged.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "History.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const quorbit1::HistoryText text = quorbit1::ParseHistory(bytes, size > 0 && data[0] == '#');
    std::string written;
    for (const std::string& e : text.entries) {
        if (!quorbit1::Storable(e) || e.find('\n') != std::string::npos || e.back() == '\r') {
            std::fprintf(stderr, "kept a line the store would not write\n");
            std::abort();
        }
        written += e + '\n';
    }
    const quorbit1::HistoryText again = quorbit1::ParseHistory(written);
    if (text.entries.size() > quorbit1::kHistoryLimit || again.skipped != 0 ||
        again.entries != text.entries) {
        std::fprintf(stderr, "what was kept does not read back\n");
        std::abort();
    }
    return 0;
}
