#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "device/file_error_text.h"

// Files by the names the file dialogs and the command line give: the file
// system's own bytes on POSIX systems, UTF-8 on Windows, where the name is
// handed to the system as UTF-16 so that any folder name works, whatever
// code page the system runs with. Each platform has its own file.

// As std::fopen; mode is one of the standard modes ("rb", "wb", ...).
std::FILE* OpenFile(const std::string& path, const char* mode);
// Why OpenFile has just failed on path, in a user's words; on Windows a file
// another program holds open is named as such.
std::string OpenFailureText(FileAction action, const std::string& path);
// What a file opened for writing is, so that deleting it later touches only it.
struct FileIdentity {
    bool regular = false;  // a plain file, not a device, a pipe or anything else
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};
FileIdentity IdentityOf(std::FILE* file);

// Deletes path only while it still names the regular file identity describes
// (a device such as /dev/null stays, whoever runs the program); true when it
// was deleted or there was no file of ours to delete.
bool RemoveCreatedFile(const std::string& path, const FileIdentity& identity);
// Why path cannot be created or replaced, in a user's words; empty when it
// can. Looks without changing anything: an existing file keeps its bytes, and
// one made only to try is removed again.
std::string WriteProblem(const std::string& path);

// The name as the standard library's file system functions take it.
std::filesystem::path FilePath(const std::string& path);
// And back: the name as the rest of the program keeps it.
std::string PathText(const std::filesystem::path& path);

// Whether two chosen paths name the same file, however they are spelled
// ("a.csv" and "./a.csv") or linked (a hard link, a symbolic link to it); a
// file that does not exist yet is compared by name.
bool IsSamePath(const std::string& first, const std::string& second);
