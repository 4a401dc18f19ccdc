// The few things the history store needs of the platform's file system: the tail of a file,
// an exclusive lock held while a file is read and replaced, an atomic replacement of a file by
// new contents, and the folder where a user's data belongs. One implementation per platform
// sits in a file of its own beside this one; the store's rules know none of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorbit1 {

struct FileTail {
    enum class Status { kRead, kMissing, kUnreadable };
    Status status = Status::kMissing;
    std::string bytes;     // the file's last bytes, at most the limit asked for
    bool partial = false;  // the file is longer, so bytes start somewhere inside it
    std::string problem;   // when unreadable: what stopped the read, e.g. "cannot be read (...)"
};

// Reads the last limit bytes of a regular file. A file that is missing is no problem; a file
// that is there but cannot be read (permissions, a folder in its place, an I/O error) is.
FileTail ReadFileTail(const std::string& path, std::size_t limit);

// An exclusive lock on the file beside path named path + ".lock", held from construction to
// destruction. Other programs that take it wait. The folder is made, private to the user,
// when it is missing.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return m_problem.empty(); }
    const std::string& Problem() const { return m_problem; }

private:
    std::intptr_t m_handle = -1;
    std::string m_problem;
};

// Replaces the file at path by bytes so that, whenever the program stops, the file holds the
// old bytes or the new ones: a new temporary file made exclusively in the same folder, readable
// by the user alone, written, flushed to disk and moved over the old one. Temporary files that
// an earlier writer left when it was killed are removed first. Call it under the file's lock.
// Returns what went wrong, or an empty string.
std::string ReplaceFile(const std::string& path, std::string_view bytes);

// The file named name in the folder where the platform keeps this user's data for this
// program; empty when no such folder is known.
std::string UserDataFile(const std::string& name);

}  // namespace quorbit1
