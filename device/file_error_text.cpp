#include "device/file_error_text.h"

#include <cerrno>
#include <cstring>

namespace {
const char* Words(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return "No space left on the disk.";
        case EACCES:
        case EPERM:
            return "You are not allowed to change it.";
        case EROFS:
            return "The disk is read-only.";
        case ENOENT:
        case ENOTDIR:
            return "The folder does not exist.";
        case EISDIR:
            return "It is a folder, not a file.";
        case EIO:
            return "The disk reported an error, or was removed.";
        default:
            return "";
    }
}
}  // namespace

std::string FileErrorText(const std::string& action, const std::string& path, int errorNumber) {
    std::string text = action + " " + path + ".";
    const std::string words = Words(errorNumber);
    if (!words.empty()) {
        text += " " + words;
    }
    return text + " (" + std::strerror(errorNumber) + ")";
}
