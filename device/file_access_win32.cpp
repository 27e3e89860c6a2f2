#include <stdio.h>

#include "device/file_access.h"
#include "text/utf16.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(utf8ToUtf16(path).c_str(), utf8ToUtf16(mode).c_str());
}

bool RemoveFile(const std::string& path) {
    return _wremove(utf8ToUtf16(path).c_str()) == 0;
}

std::filesystem::path FilePath(const std::string& path) {
    return utf8ToUtf16(path);
}
