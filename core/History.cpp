#include "History.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "Utf8.h"

namespace quorbit1 {

namespace {

std::string SystemError(const std::string& what, const std::string& path) {
    return "quorbit1: history " + path + ": " + what + " (" + std::strerror(errno) + ")";
}

// An open file descriptor that closes itself.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Reads the file's last kHistoryReadLimit bytes. A missing file reads as empty; anything else
// that stops the read is returned as a message.
std::string ReadTail(const std::string& path, std::string& bytes, bool& partial) {
    bytes.clear();
    partial = false;
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return errno == ENOENT ? std::string() : SystemError("cannot be read", path);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        return SystemError("cannot be read", path);
    }
    if (!S_ISREG(st.st_mode)) {
        return "quorbit1: history " + path + ": not a regular file, ignored";
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size > kHistoryReadLimit) {
        partial = true;
        if (::lseek(fd.get(), static_cast<off_t>(size - kHistoryReadLimit), SEEK_SET) < 0) {
            return SystemError("cannot be read", path);
        }
    }
    bytes.resize(std::min(size, kHistoryReadLimit));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return SystemError("cannot be read", path);
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return {};
}

// Creates the folder and its parents, private to the user where this creates them.
bool MakeFolders(const std::string& dir) {
    for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

// A writer killed between creating its temporary file and renaming it leaves the file behind;
// under the lock no other writer has one open, so any such file is a leftover.
void RemoveLeftovers(const std::string& dir, const std::string& name) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string file = entry.path().filename().string();
        if (file.size() == name.size() + 7 && file.compare(0, name.size() + 1, name + ".") == 0 &&
            file.compare(name.size() + 1, std::string::npos, "lock") != 0) {
            std::filesystem::remove(entry.path(), ec);
        }
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
    if (text.entries.size() > kHistoryLimit) {
        text.entries.erase(text.entries.begin(), text.entries.end() - kHistoryLimit);
    }
    return text;
}

HistoryStore::HistoryStore(std::string path) : m_path(std::move(path)) {}

std::string HistoryStore::DefaultPath() {
    const char* off = std::getenv("QUORBIT1_NO_HISTORY");
    if (off != nullptr && *off != '\0' && std::string_view(off) != "0") {
        return {};
    }
    // The XDG rules ignore a relative path.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/quorbit1/history";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/quorbit1/history";
    }
    return {};
}

std::string HistoryStore::Load() {
    m_entries.clear();
    if (m_path.empty()) {
        return {};
    }
    std::string bytes;
    bool partial = false;
    std::string problem = ReadTail(m_path, bytes, partial);
    if (!problem.empty()) {
        return problem;
    }
    HistoryText text = ParseHistory(bytes, partial);
    m_entries = std::move(text.entries);
    if (text.skipped == 0 && !partial) {
        return {};
    }
    problem = "quorbit1: history " + m_path + ": kept " + std::to_string(m_entries.size()) +
              " expressions";
    if (partial) {
        problem += ", read only the last " + std::to_string(kHistoryReadLimit >> 20) +
                   " MiB of a larger file";
    }
    if (text.skipped != 0) {
        problem += ", skipped " + std::to_string(text.skipped) +
                   " lines that are not expressions (binary, invalid UTF-8 or '=')";
    }
    return problem;
}

std::string HistoryStore::Add(std::string_view expression) {
    if (!Storable(expression) || (!m_entries.empty() && m_entries.back() == expression)) {
        return {};
    }
    m_entries.emplace_back(expression);
    if (m_entries.size() > kHistoryLimit) {
        m_entries.erase(m_entries.begin());
    }
    return Write(expression, false);
}

std::string HistoryStore::Clear() {
    m_entries.clear();
    return Write({}, true);
}

// Under the lock: the file's entries as they are now (another program may have added some),
// the new one after them, the oldest dropped beyond the limit, written to a new file in the
// same folder, flushed to disk and renamed over the old one.
std::string HistoryStore::Write(std::string_view added, bool clear) {
    if (m_path.empty()) {
        return {};
    }
    const std::size_t slash = m_path.rfind('/');
    const std::string dir = slash == 0 ? "/" : m_path.substr(0, slash);
    if (!MakeFolders(dir)) {
        return SystemError("folder cannot be made", dir);
    }
    const Fd lock(::open((m_path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (lock.get() < 0) {
        return SystemError("cannot be locked", m_path);
    }
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return SystemError("cannot be locked", m_path);
        }
    }

    RemoveLeftovers(dir, m_path.substr(slash + 1));

    std::vector<std::string> entries;
    if (!clear) {
        std::string bytes;
        bool partial = false;
        // What cannot be read now is replaced by a sound file with what can.
        ReadTail(m_path, bytes, partial);
        entries = ParseHistory(bytes, partial).entries;
        if (entries.empty() || entries.back() != added) {
            entries.emplace_back(added);
        }
        if (entries.size() > kHistoryLimit) {
            entries.erase(entries.begin(), entries.end() - kHistoryLimit);
        }
    }
    std::string out;
    for (const std::string& e : entries) {
        out += e;
        out += '\n';
    }

    std::string temp = m_path + ".XXXXXX";
    const Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return SystemError("cannot be written", m_path);
    }
    if (::fchmod(fd.get(), 0600) != 0 || !WriteAll(fd.get(), out) || ::fsync(fd.get()) != 0 ||
        ::rename(temp.c_str(), m_path.c_str()) != 0) {
        std::string problem = SystemError("cannot be written", m_path);
        ::unlink(temp.c_str());
        return problem;
    }
    // The rename itself is made durable by flushing the folder.
    const Fd folder(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) {
        ::fsync(folder.get());
    }
    return {};
}

}  // namespace quorbit1
