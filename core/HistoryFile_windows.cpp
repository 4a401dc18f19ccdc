// The history's file operations on Windows: paths as UTF-16, LockFileEx on a lock file, a new
// temporary file made with CREATE_NEW, FlushFileBuffers and MoveFileExW with write-through,
// and %LOCALAPPDATA% for the data folder. Files made in a user's own profile inherit its
// permissions: readable by that user (and the system and administrators) only.
#include <windows.h>
// windows.h names ReplaceFileW ReplaceFile; this file defines the store's own.
#undef ReplaceFile

#include <cstdint>
#include <string>
#include <string_view>

#include "HistoryFile.h"
#include "WideText.h"

namespace quorbit1 {

namespace {

// What went wrong, in the system's words, after what: "cannot be read (Access is denied.)".
std::string Failed(const std::string& what, DWORD error = GetLastError()) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = n != 0 ? std::wstring(text, n) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) {
        message.pop_back();
    }
    return what + " (" + Narrow(message) + ")";
}

// An open handle that closes itself.
class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (Valid()) {
            CloseHandle(m_h);
        }
    }
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_h; }

private:
    HANDLE m_h;
};

std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = LastSeparator(path);
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Creates the folder and its parents.
bool MakeFolders(const std::string& dir) {
    for (std::size_t slash = dir.find_first_of("\\/", 1);;
         slash = dir.find_first_of("\\/", slash + 1)) {
        const std::string part = dir.substr(0, slash);
        // "C:" alone is a drive, not a folder to make.
        const bool drive = part.size() == 2 && part[1] == ':';
        if (!drive && !part.empty() && CreateDirectoryW(Wide(part).c_str(), nullptr) == 0 &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

// A writer killed between creating its temporary file and moving it leaves the file behind;
// under the lock no other writer has one open, so any such file is a leftover.
void RemoveLeftovers(const std::string& path) {
    WIN32_FIND_DATAW found{};
    const std::string pattern = path + ".tmp*";
    HANDLE search = FindFirstFileW(Wide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string dir = FolderOf(path);
    do {
        DeleteFileW(Wide(dir + "\\" + Narrow(found.cFileName)).c_str());
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
}

bool WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (WriteFile(h, bytes.data(), chunk, &written, nullptr) == 0 || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

FileTail ReadFileTail(const std::string& path, std::size_t limit) {
    FileTail tail;
    const Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            tail.status = FileTail::Status::kUnreadable;
            // A folder in the file's place cannot be opened as a file at all.
            const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
            tail.problem = attributes != INVALID_FILE_ATTRIBUTES &&
                                   (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                               ? "is not a regular file"
                               : Failed("cannot be read", error);
        }
        return tail;
    }
    tail.status = FileTail::Status::kUnreadable;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        tail.problem = "is not a regular file";
        return tail;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) == 0) {
        tail.problem = Failed("cannot be read");
        return tail;
    }
    const auto total = static_cast<std::uint64_t>(size.QuadPart);
    if (total > limit) {
        tail.partial = true;
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(total - limit);
        if (SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) == 0) {
            tail.problem = Failed("cannot be read");
            return tail;
        }
    }
    tail.bytes.resize(static_cast<std::size_t>(total < limit ? total : limit));
    std::size_t got = 0;
    while (got < tail.bytes.size()) {
        const std::size_t left = tail.bytes.size() - got;
        DWORD n = 0;
        if (ReadFile(file.get(), tail.bytes.data() + got,
                     left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left), &n, nullptr) == 0) {
            tail.bytes.clear();
            tail.problem = Failed("cannot be read");
            return tail;
        }
        if (n == 0) {
            break;
        }
        got += n;
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
    HANDLE h = CreateFileW(Wide(path + ".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_problem = Failed("cannot be locked");
        return;
    }
    OVERLAPPED whole{};
    if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole) == 0) {
        m_problem = Failed("cannot be locked");
        CloseHandle(h);
        return;
    }
    m_handle = reinterpret_cast<std::intptr_t>(h);
}

FileLock::~FileLock() {
    if (m_handle != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));  // closing the handle releases the lock
    }
}

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
    RemoveLeftovers(path);
    // A name no other file has: CREATE_NEW fails rather than open an existing one.
    std::string temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; h == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temp = path + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount64() + attempt);
        h = CreateFileW(Wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (h == INVALID_HANDLE_VALUE) {
        return Failed("cannot be written");
    }
    const bool written = WriteAll(h, bytes) && FlushFileBuffers(h) != 0;
    DWORD error = GetLastError();
    CloseHandle(h);
    if (written && MoveFileExW(Wide(temp).c_str(), Wide(path).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
        return {};
    }
    if (written) {
        error = GetLastError();
    }
    DeleteFileW(Wide(temp).c_str());
    return Failed("cannot be written", error);
}

std::string UserDataFile(const std::string& name) {
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (n == 0) {
        return {};
    }
    std::wstring dir(n, L'\0');
    dir.resize(GetEnvironmentVariableW(L"LOCALAPPDATA", dir.data(), n));
    // Only an absolute path ("C:\..." or "\\server\..."), as on Linux.
    if (dir.size() < 3 || !((dir[1] == L':' && (dir[2] == L'\\' || dir[2] == L'/')) ||
                            (dir[0] == L'\\' && dir[1] == L'\\'))) {
        return {};
    }
    return Narrow(dir) + "\\Quorbit1\\" + name;
}

}  // namespace quorbit1
