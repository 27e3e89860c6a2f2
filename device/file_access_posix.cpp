#include <sys/stat.h>

#include "device/file_access.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

FileIdentity IdentityOf(std::FILE* file) {
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) {
        return {};
    }
    return {S_ISREG(info.st_mode), static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino)};
}

bool RemoveCreatedFile(const std::string& path, const FileIdentity& identity) {
    struct stat info {};
    if (!identity.regular || ::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_dev) != identity.device ||
        static_cast<std::uint64_t>(info.st_ino) != identity.inode) {
        return true;
    }
    return std::remove(path.c_str()) == 0;
}

std::filesystem::path FilePath(const std::string& path) {
    return path;
}
