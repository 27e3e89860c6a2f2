#pragma once

#include <string>

// Why a file could not be used, in a user's words: "Cannot write PATH. No
// space left on the disk. (No space left on device)". action is what failed
// ("Cannot write"); errorNumber the errno value behind it.
std::string FileErrorText(const std::string& action, const std::string& path, int errorNumber);
