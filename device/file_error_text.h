#pragma once

#include <string>

// What was done to a file when it failed.
enum class FileAction { Read, Create, Write, Delete };

// Why a file could not be used, in a user's words: "Cannot write PATH. No
// space left on the disk. (No space left on device)". errorNumber is the
// errno value behind it.
std::string FileErrorText(FileAction action, const std::string& path, int errorNumber);
