#include "device/file_error_text.h"

#include <cerrno>
#include <cstring>

#include "text/translation.h"

namespace {
// The action and the file, then the reason: the user's words (if any) and the
// system's own in brackets.
std::string ActionText(FileAction action, const std::string& path, const std::string& reason) {
    const std::initializer_list<TextValue> values = {{"file", path}, {"reason", reason}};
    switch (action) {
        case FileAction::Read:
            return translated("Cannot read {file}. {reason}", values);
        case FileAction::Create:
            return translated("Cannot create {file}. {reason}", values);
        case FileAction::Write:
            return translated("Cannot write {file}. {reason}", values);
        case FileAction::Delete:
            break;
    }
    return translated("Cannot delete {file}. {reason}", values);
}

const char* Words(FileAction action, int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return DD_TEXT("No space left on the disk.");
        case EACCES:
        case EPERM:
            return action == FileAction::Read ? DD_TEXT("You are not allowed to read it.")
                                              : DD_TEXT("You are not allowed to change it.");
        case EROFS:
            return DD_TEXT("The disk is read-only.");
        case ENOENT:
            // A file to be read is missing itself; one to be made lacks its folder.
            return action == FileAction::Read ? DD_TEXT("The file does not exist.")
                                              : DD_TEXT("The folder does not exist.");
        case ENOTDIR:
            return DD_TEXT("The folder does not exist.");
        case EISDIR:
            return DD_TEXT("It is a folder, not a file.");
        case EIO:
            return DD_TEXT("The disk reported an error, or was removed.");
        default:
            return "";
    }
}
}  // namespace

std::string FileErrorText(FileAction action, const std::string& path, int errorNumber) {
    const std::string words = Words(action, errorNumber);
    const std::string systemReason = std::string("(") + std::strerror(errorNumber) + ")";
    return ActionText(action, path,
                      words.empty() ? systemReason : translated(words) + " " + systemReason);
}
