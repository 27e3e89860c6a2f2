#include "device/file_access.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool RemoveFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

std::filesystem::path FilePath(const std::string& path) {
    return path;
}
