// The calculator for browsers and node: the C interface of <quorbit1/quorbit1.h>, exported as
// it is (web/CMakeLists.txt lists it), and one addition that only a browser has: the history
// kept in the page's storage. The module holds no state of its own; each calculator is the
// script's handle, and the page makes one.
#include <emscripten/emscripten.h>

#include <string>

#include "CalculatorHandle.h"

namespace {

// The storage the script hands the module as Module.quorbit1Storage: read() gives the stored
// text (null when there is none) and write(text) stores it; either may throw, as a browser's
// storage does when it is refused, and write throws a QuotaExceededError when it is full.
// Read: 0 read, 1 nothing stored, 2 refused; *text is a malloc'd copy when read. The bodies are
// JavaScript, which clang-format would take for C++.
// clang-format off
EM_JS(int, StorageRead, (char** text), {
    let stored;
    try {
        stored = Module.quorbit1Storage.read();
    } catch (e) {
        return 2;
    }
    if (stored === null || stored === undefined) return 1;
    const size = lengthBytesUTF8(stored) + 1;
    const copy = _malloc(size);
    if (!copy) return 2;
    stringToUTF8(stored, copy, size);
    HEAPU32[text >> 2] = copy;
    return 0;
});

// 0 stored, 1 full, 2 failed.
EM_JS(int, StorageWrite, (const char* bytes, int length), {
    try {
        Module.quorbit1Storage.write(UTF8ToString(bytes, length));
        return 0;
    } catch (e) {
        return e && (e.name === 'QuotaExceededError' || e.code === 22) ? 1 : 2;
    }
});
// clang-format on

class BrowserStorage final : public quorbit1::HistoryBackend {
public:
    std::string Name() const override { return "history in the browser's storage"; }

    quorbit1::FileTail Read() override {
        quorbit1::FileTail tail;
        char* text = nullptr;
        switch (StorageRead(&text)) {
            case 0:
                tail.status = quorbit1::FileTail::Status::kRead;
                tail.bytes = text;
                std::free(text);
                break;
            case 1:
                tail.status = quorbit1::FileTail::Status::kMissing;
                break;
            default:
                tail.status = quorbit1::FileTail::Status::kUnreadable;
                tail.problem = "refused";
                break;
        }
        return tail;
    }

    StoreResult Store(std::string_view bytes) override {
        switch (StorageWrite(bytes.data(), static_cast<int>(bytes.size()))) {
            case 0:
                return {};
            case 1:
                return {Stored::kFull, "full"};
            default:
                return {Stored::kFailed, "refused"};
        }
    }
};

}  // namespace

extern "C" {

// The history in the storage the script set as Module.quorbit1Storage, read now. 0, 1 when the
// storage refused it (the run keeps its history in memory), or an error.
EMSCRIPTEN_KEEPALIVE int quorbit1_use_browser_history(quorbit1_calculator* calc) {
    if (calc == nullptr) {
        return QUORBIT1_ERROR_ARGUMENT;
    }
    calc->historyProblem =
        calc->calc.UseHistory(quorbit1::HistoryStore(std::make_unique<BrowserStorage>()));
    return calc->historyProblem.empty() ? 0 : 1;
}

}  // extern "C"
