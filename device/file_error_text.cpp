#include "device/file_error_text.h"

#include <cerrno>
#include <cstring>

namespace {
const char* ActionText(FileAction action) {
    switch (action) {
        case FileAction::Read:
            return "Cannot read";
        case FileAction::Create:
            return "Cannot create";
        case FileAction::Write:
            return "Cannot write";
        case FileAction::Delete:
            break;
    }
    return "Cannot delete";
}

const char* Words(FileAction action, int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return "No space left on the disk.";
        case EACCES:
        case EPERM:
            return action == FileAction::Read ? "You are not allowed to read it."
                                              : "You are not allowed to change it.";
        case EROFS:
            return "The disk is read-only.";
        case ENOENT:
            // A file to be read is missing itself; one to be made lacks its folder.
            return action == FileAction::Read ? "The file does not exist."
                                              : "The folder does not exist.";
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

std::string FileErrorText(FileAction action, const std::string& path, int errorNumber) {
    std::string text = std::string(ActionText(action)) + " " + path + ".";
    const std::string words = Words(action, errorNumber);
    if (!words.empty()) {
        text += " " + words;
    }
    return text + " (" + std::strerror(errorNumber) + ")";
}
