#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// Files by the names the file dialogs and the command line give: the file
// system's own bytes on POSIX systems, UTF-8 on Windows, where the name is
// handed to the system as UTF-16 so that any folder name works, whatever
// code page the system runs with. Each platform has its own file.

// As std::fopen; mode is one of the standard modes ("rb", "wb", ...).
std::FILE* OpenFile(const std::string& path, const char* mode);
// As std::remove: true when the file was deleted.
bool RemoveFile(const std::string& path);
// The name as the standard library's file system functions take it.
std::filesystem::path FilePath(const std::string& path);

// Whether two chosen paths name the same file, however they are spelled
// ("a.csv" and "./a.csv") or linked (a hard link, a symbolic link to it); a
// file that does not exist yet is compared by name.
bool IsSamePath(const std::string& first, const std::string& second);
