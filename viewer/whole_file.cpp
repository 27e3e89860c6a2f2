#include "viewer/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "device/file_access.h"

namespace {

// Where the bytes wait until they are all on the disk.
std::string partialName(const std::string& path) {
    return path + ".partial";
}

// Errors name the file the user asked for, not the one beside it.
std::string writeAll(const std::string& partial, const std::string& path,
                     const std::string& bytes) {
    std::FILE* file = OpenFile(partial, "wb");
    if (!file) {
        return OpenFailureText(FileAction::Create, path);
    }
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        return FileErrorText(FileAction::Write, path, written ? errno : writeError);
    }
    return {};
}

}  // namespace

std::string writeWholeFile(const std::string& path, const std::string& bytes) {
    const std::string partial = partialName(path);
    std::string problem = writeAll(partial, path, bytes);
    std::error_code error;
    if (problem.empty()) {
        std::filesystem::rename(FilePath(partial), FilePath(path), error);
        if (!error) {
            return {};
        }
        problem = FileErrorText(FileAction::Create, path, error.value());
    }
    std::filesystem::remove(FilePath(partial), error);
    return problem;
}
