#include "History.h"

#include <cstdlib>
#include <optional>

#include "HistoryFile.h"
#include "Utf8.h"

namespace quorbit1 {

namespace {

// The oldest entries beyond the limit go.
void KeepLast(std::vector<std::string>& entries) {
    if (entries.size() > kHistoryLimit) {
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(kHistoryLimit));
    }
}

}  // namespace

bool Storable(std::string_view expression) {
    if (expression.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < expression.size();) {
        const auto b = static_cast<unsigned char>(expression[i]);
        if (b == '=' || (b < 0x20 && b != '\t') || b == 0x7F) {
            return false;
        }
        const std::size_t n = Utf8SequenceLength(expression, i);
        if (n == 0) {
            return false;
        }
        i += n;
    }
    return true;
}

HistoryText ParseHistory(std::string_view bytes, bool partialStart) {
    HistoryText text;
    if (partialStart) {
        const std::size_t newline = bytes.find('\n');
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
    }
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view line = bytes.substr(0, newline);
        bytes.remove_prefix(newline == std::string_view::npos ? bytes.size() : newline + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            continue;
        }
        if (!Storable(line)) {
            ++text.skipped;
            continue;
        }
        text.entries.emplace_back(line);
    }
    KeepLast(text.entries);
    return text;
}

namespace {

class HistoryFileBackend final : public HistoryBackend {
public:
    explicit HistoryFileBackend(std::string path) : m_path(std::move(path)) {}

    std::string Name() const override { return "history " + m_path; }
    FileTail Read() override { return ReadFileTail(m_path, kHistoryReadLimit); }
    std::string Lock() override {
        m_lock.emplace(m_path);
        return m_lock->Problem();
    }
    void Unlock() override { m_lock.reset(); }
    StoreResult Store(std::string_view bytes) override {
        std::string problem = ReplaceFile(m_path, bytes);
        return {problem.empty() ? Stored::kStored : Stored::kFailed, std::move(problem)};
    }

private:
    std::string m_path;
    std::optional<FileLock> m_lock;
};

std::string Joined(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& e : entries) {
        out += e;
        out += '\n';
    }
    return out;
}

}  // namespace

std::unique_ptr<HistoryBackend> MakeHistoryFile(std::string path) {
    return std::make_unique<HistoryFileBackend>(std::move(path));
}

HistoryStore::HistoryStore(std::string path)
    : m_backend(path.empty() ? nullptr : MakeHistoryFile(std::move(path))) {}

HistoryStore::HistoryStore(std::unique_ptr<HistoryBackend> backend)
    : m_backend(std::move(backend)) {}

std::string HistoryStore::DefaultPath() {
    const char* off = std::getenv("QUORBIT1_NO_HISTORY");
    if (off != nullptr && *off != '\0' && std::string_view(off) != "0") {
        return {};
    }
    return UserDataFile("history");
}

std::string HistoryStore::Load() {
    m_entries.clear();
    m_readable = true;
    m_unstored = false;
    m_lastProblem.clear();
    if (m_backend == nullptr) {
        return {};
    }
    FileTail tail = m_backend->Read();
    if (tail.status == FileTail::Status::kUnreadable) {
        // What could not be read is not ours to replace: another user's file, a folder, a
        // failing disk. The run keeps its expressions in memory only.
        m_readable = false;
        return Problem(tail.problem + "; nothing is written to it in this run");
    }
    HistoryText text = ParseHistory(tail.bytes, tail.partial);
    m_entries = std::move(text.entries);
    if (text.skipped == 0 && !tail.partial) {
        return {};
    }
    std::string problem = "kept " + std::to_string(m_entries.size()) + " expressions";
    if (tail.partial) {
        problem += ", read only the last " + std::to_string(kHistoryReadLimit >> 20) +
                   " MiB of a larger file";
    }
    if (text.skipped != 0) {
        problem += ", skipped " + std::to_string(text.skipped) +
                   " lines that are not expressions (binary, invalid UTF-8 or '=')";
    }
    return Problem(problem);
}

std::string HistoryStore::Add(std::string_view expression) {
    if (!Storable(expression) || (!m_entries.empty() && m_entries.back() == expression)) {
        return {};
    }
    m_entries.emplace_back(expression);
    KeepLast(m_entries);
    return Write(expression, false);
}

std::string HistoryStore::Clear() {
    m_entries.clear();
    if (!m_readable && m_backend != nullptr) {
        return Problem("could not be read, so it is not emptied on disk");
    }
    return Write({}, true);
}

std::string HistoryStore::Problem(const std::string& what) const {
    return m_backend->Name() + ": " + what;
}

// Under the lock: the entries stored now (another program may have added some), the new one
// after them, the oldest dropped beyond the limit, and the storage replaced by the result. A
// storage too full for them all keeps the newest that fit, as the limit keeps the newest
// thousand; one that takes none keeps this run's entries in memory. A storage that cannot be
// read now is left alone from here on. A problem is reported once, not again on every command
// while it lasts.
std::string HistoryStore::Write(std::string_view added, bool clear) {
    if (m_backend == nullptr || !m_readable) {
        return {};
    }
    std::string problem = m_backend->Lock();
    if (problem.empty()) {
        std::vector<std::string> entries;
        if (!clear) {
            const FileTail tail = m_backend->Read();
            if (tail.status == FileTail::Status::kUnreadable) {
                m_backend->Unlock();
                m_readable = false;
                return Problem(tail.problem + "; nothing is written to it in this run");
            }
            entries = ParseHistory(tail.bytes, tail.partial).entries;
            if (entries.empty() || entries.back() != added) {
                entries.emplace_back(added);
            }
            KeepLast(entries);
        }
        HistoryBackend::StoreResult stored = m_backend->Store(Joined(entries));
        if (stored.status == HistoryBackend::Stored::kFull) {
            // The newest entries that fit, found by halving: fits holds a count that was
            // stored (or 0), tooMany one that was not. A store that fails leaves what the
            // storage held, so it ends holding the last count that fitted.
            std::size_t fits = 0;
            std::size_t tooMany = entries.size();
            while (fits + 1 < tooMany) {
                const std::size_t count = fits + (tooMany - fits) / 2;
                const std::vector<std::string> newest(
                    entries.end() - static_cast<std::ptrdiff_t>(count), entries.end());
                const HistoryBackend::StoreResult tried = m_backend->Store(Joined(newest));
                if (tried.status == HistoryBackend::Stored::kStored) {
                    fits = count;
                } else if (tried.status == HistoryBackend::Stored::kFull) {
                    tooMany = count;
                } else {
                    stored = tried;
                    break;
                }
            }
            if (fits > 0 && stored.status == HistoryBackend::Stored::kFull) {
                stored = {};
            }
        }
        m_backend->Unlock();
        m_unstored = stored.status != HistoryBackend::Stored::kStored;
        problem = stored.status == HistoryBackend::Stored::kFull
                      ? "full; this run's expressions are kept in memory only"
                      : stored.problem;
    }
    if (problem == m_lastProblem) {
        return {};
    }
    m_lastProblem = problem;
    return problem.empty() ? std::string() : Problem(problem);
}

}  // namespace quorbit1
