#include <windows.h>

#include <errno.h>
#include <stdio.h>
#include <sys/stat.h>

#include "device/file_access.h"
#include "device/file_error_text.h"
#include "text/translation.h"
#include "text/utf16.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(utf8ToUtf16(path).c_str(), utf8ToUtf16(mode).c_str());
}

namespace {
// A spreadsheet keeps the file it shows open without sharing: that is said as
// such, not as a question of permissions.
bool IsHeldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

std::string HeldFileText(const std::string& path) {
    return translated("{file} is open in another program. Close it there and try again.",
                      {{"file", path}});
}
}  // namespace

// The C library turns a sharing violation into "permission denied"; the
// system's own error of the failed open is kept beside it.
std::string OpenFailureText(FileAction action, const std::string& path) {
    const int error = errno;
    if (IsHeldByAnotherProgram(static_cast<DWORD>(_doserrno))) {
        return HeldFileText(path);
    }
    return FileErrorText(action, path, error);
}

// Windows gives no inode through the C library; a device name (NUL, COM1) is
// still told from a file.
FileIdentity IdentityOf(std::FILE* file) {
    struct _stat64 info {};
    if (_fstat64(_fileno(file), &info) != 0) {
        return {};
    }
    return {(info.st_mode & _S_IFMT) == _S_IFREG, 0, 0};
}

bool RemoveCreatedFile(const std::string& path, const FileIdentity& identity) {
    return !identity.regular || _wremove(utf8ToUtf16(path).c_str()) == 0;
}

namespace {
// The C library's name for why Windows refused a file, for the user's words.
int ErrnoFor(DWORD error) {
    switch (error) {
        case ERROR_PATH_NOT_FOUND:
        case ERROR_FILE_NOT_FOUND:
            return ENOENT;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DISK_FULL:
            return ENOSPC;
        default:
            return EACCES;
    }
}
}  // namespace

std::string WriteProblem(const std::string& path) {
    const std::wstring name = utf8ToUtf16(path);
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND) {
        file = CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                           FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return {};
    }
    const DWORD error = GetLastError();
    if (IsHeldByAnotherProgram(error)) {
        return HeldFileText(path);
    }
    return FileErrorText(FileAction::Create, path, ErrnoFor(error));
}

std::filesystem::path FilePath(const std::string& path) {
    return utf8ToUtf16(path);
}

std::string PathText(const std::filesystem::path& path) {
    return utf16ToUtf8(path.wstring());
}
