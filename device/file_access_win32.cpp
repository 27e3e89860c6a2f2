#include <stdio.h>
#include <sys/stat.h>

#include "device/file_access.h"
#include "text/utf16.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(utf8ToUtf16(path).c_str(), utf8ToUtf16(mode).c_str());
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

std::filesystem::path FilePath(const std::string& path) {
    return utf8ToUtf16(path);
}
