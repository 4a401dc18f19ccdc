// The expressions a user had evaluated, kept across runs and shared by the dialog and the
// command line: a plain UTF-8 file, one expression per line, oldest first, at most the last
// kHistoryLimit. Every write merges what the file holds now with the new entry under an
// advisory lock and replaces the file atomically, so two programs at once lose nothing and a
// crash at any moment leaves the old file or the new one. Reading is tolerant: whatever cannot
// be an expression is skipped and reported, never fatal.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "HistoryFile.h"
#include "TranslatableText.h"

namespace quorbit1 {

inline constexpr std::size_t kHistoryLimit = 1000;
// Only the file's last bytes are read: a history grown huge by some accident must not slow
// the start of either program.
inline constexpr std::size_t kHistoryReadLimit = 2u << 20;

// Whether a text is one the history keeps: one the OK command evaluates (not empty, no '='),
// valid UTF-8 without line breaks or other control characters, a tab aside.
bool Storable(std::string_view expression);

// What a tolerant read of a history file's bytes keeps.
struct HistoryText {
    std::vector<std::string> entries;  // oldest first, the last kHistoryLimit at most
    std::size_t skipped = 0;           // lines that are not Storable
};

// partialStart: the bytes are the end of a longer file, so the first line is cut and dropped.
HistoryText ParseHistory(std::string_view bytes, bool partialStart = false);

// Where a history is kept between runs: a file (HistoryFileBackend), the browser's storage
// (the page's module), or nowhere. The store's rules (what is kept, the merge with what other
// programs added meanwhile, the limit) know none of them.
class HistoryBackend {
public:
    virtual ~HistoryBackend() = default;

    // How messages name it: "history /home/ann/.local/share/quorbit1/history".
    virtual std::string Name() const = 0;

    // What it holds now.
    virtual FileTail Read() = 0;

    // Taken before a read that is followed by a write, and released after it, so that another
    // program's write cannot fall between the two. Returns what went wrong, or an empty string.
    virtual std::string Lock() { return {}; }
    virtual void Unlock() {}

    // Replaces what it holds by bytes.
    enum class Stored { kStored, kFull, kFailed };
    struct StoreResult {
        Stored status = Stored::kStored;
        std::string problem;
    };
    virtual StoreResult Store(std::string_view bytes) = 0;
};

// A history file, read and replaced as HistoryFile.h describes.
std::unique_ptr<HistoryBackend> MakeHistoryFile(std::string path);

// What a face says once when the history it keeps can be stored nowhere (the browser refuses
// its storage, or it is full even with only the newest expression in it).
inline constexpr const char* kMsgHistoryInMemory = QT_TRANSLATE_NOOP(
    "quorbit1::Message", "The history cannot be stored here; it is kept for this run only.");

class HistoryStore {
public:
    // An empty path keeps the entries in memory only.
    explicit HistoryStore(std::string path = {});
    explicit HistoryStore(std::unique_ptr<HistoryBackend> backend);

    // $XDG_DATA_HOME/quorbit1/history, else ~/.local/share/quorbit1/history; empty when the
    // user asked for nothing to be kept (QUORBIT1_NO_HISTORY set and not "0") or no folder is
    // known.
    static std::string DefaultPath();

    // Reads the file into memory. Returns one line for standard error when something was
    // skipped or could not be read, else an empty string; a missing file is no problem. A
    // file that is there but cannot be read is never written in this run, so nothing the
    // user had is lost to a passing fault or another user's file.
    std::string Load();

    // Appends an expression the OK command evaluated (unless it is not Storable or equals the
    // entry before it) and writes the file. Returns one line for standard error the first
    // time the file cannot be written, else an empty string. The lines name the file but not
    // the program, which each front end puts in front.
    std::string Add(std::string_view expression);

    // Empties the history in memory and on disk; returns as Add does.
    std::string Clear();

    // False when the file could not be read, so the entries live in memory only.
    bool Writable() const { return m_readable; }

    // True when the entries of this run live in memory only: the storage could not be read,
    // or the last write found it refused or full even after the oldest entries were dropped.
    bool InMemoryOnly() const { return m_backend != nullptr && (!m_readable || m_unstored); }

    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    std::string Write(std::string_view added, bool clear);
    std::string Problem(const std::string& what) const;

    std::unique_ptr<HistoryBackend> m_backend;
    std::vector<std::string> m_entries;
    bool m_readable = true;
    bool m_unstored = false;
    std::string m_lastProblem;
};

}  // namespace quorbit1
