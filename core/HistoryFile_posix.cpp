// The history's file operations on POSIX systems: flock on a lock file, mkostemp, fsync and
// rename, and the XDG base directory rules for the data folder.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "HistoryFile.h"

namespace quorbit1 {

namespace {

std::string Failed(const std::string& what) {
    return what + " (" + std::strerror(errno) + ")";
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

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
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
        // name + "." and mkostemp's six characters; the lock file's "lock" has four.
        if (file.size() == name.size() + 7 && file.compare(0, name.size() + 1, name + ".") == 0) {
            std::filesystem::remove(entry.path(), ec);
        }
    }
}

}  // namespace

FileTail ReadFileTail(const std::string& path, std::size_t limit) {
    FileTail tail;
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno != ENOENT) {
            tail.status = FileTail::Status::kUnreadable;
            tail.problem = Failed("cannot be read");
        }
        return tail;
    }
    tail.status = FileTail::Status::kUnreadable;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        tail.problem = Failed("cannot be read");
        return tail;
    }
    if (!S_ISREG(st.st_mode)) {
        tail.problem = "is not a regular file";
        return tail;
    }
    const auto size = static_cast<std::size_t>(st.st_size);
    if (size > limit) {
        tail.partial = true;
        if (::lseek(fd.get(), static_cast<off_t>(size - limit), SEEK_SET) < 0) {
            tail.problem = Failed("cannot be read");
            return tail;
        }
    }
    tail.bytes.resize(std::min(size, limit));
    std::size_t got = 0;
    while (got < tail.bytes.size()) {
        const ssize_t n = ::read(fd.get(), tail.bytes.data() + got, tail.bytes.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            tail.bytes.clear();
            tail.problem = Failed("cannot be read");
            return tail;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    tail.bytes.resize(got);
    tail.status = FileTail::Status::kRead;
    return tail;
}

FileLock::FileLock(const std::string& path) {
    const std::string dir = FolderOf(path);
    if (!MakeFolders(dir)) {
        m_problem = Failed("folder " + dir + " cannot be made");
        return;
    }
    const int fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_problem = Failed("cannot be locked");
        return;
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            m_problem = Failed("cannot be locked");
            ::close(fd);
            return;
        }
    }
    m_handle = fd;
}

FileLock::~FileLock() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));  // closing the descriptor releases the lock
    }
}

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
    const std::string dir = FolderOf(path);
    RemoveLeftovers(dir, path.substr(path.rfind('/') + 1));
    std::string temp = path + ".XXXXXX";
    const Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return Failed("cannot be written");
    }
    if (::fchmod(fd.get(), 0600) != 0 || !WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 ||
        ::rename(temp.c_str(), path.c_str()) != 0) {
        std::string problem = Failed("cannot be written");
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

std::string UserDataFile(const std::string& name) {
    // The XDG rules ignore a relative path.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/quorbit1/" + name;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/quorbit1/" + name;
    }
    return {};
}

}  // namespace quorbit1
