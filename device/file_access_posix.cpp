#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "device/file_access.h"
#include "device/file_error_text.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::string OpenFailureText(FileAction action, const std::string& path) {
    return FileErrorText(action, path, errno);
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

std::string WriteProblem(const std::string& path) {
    int file = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0 && errno == ENOENT) {
        file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0) {
            ::unlink(path.c_str());
        }
    }
    // ENXIO: a pipe nobody reads yet; EEXIST: a link to a file not made yet,
    // which only the transfer may make.
    if (file < 0 && errno != ENXIO && errno != EEXIST) {
        return FileErrorText(FileAction::Create, path, errno);
    }
    if (file >= 0) {
        ::close(file);
    }
    return {};
}

std::filesystem::path FilePath(const std::string& path) {
    return path;
}

std::string PathText(const std::filesystem::path& path) {
    return path.string();
}
