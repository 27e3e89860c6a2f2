#pragma once

#include <cstdio>
#include <string>

#include "device/file_access.h"
#include "device/file_error_text.h"

// A text file written line by line as the logger's users expect it on every
// platform: each line ends in "\r\n", the bytes (code page 932) pass
// untouched. Every line and the close are checked, so a full disk is never
// mistaken for success.
class TextFileWriter {
public:
    TextFileWriter() = default;
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Creates the file, replacing one of that name.
    bool Create(const std::string& path);
    bool WriteLine(const std::string& line);
    // Hands what was written to the system, so that a full disk shows now and
    // what came before is on the disk.
    bool Flush();
    bool Close();
    // Closes the file if open and deletes it, if it is the regular file
    // Create made (never a device or a pipe given as the file).
    bool Remove();

    // Why the last operation failed, naming the file.
    const std::string& Error() const { return m_error; }

private:
    bool Fail(FileAction action);

    std::FILE* m_file = nullptr;
    std::string m_path;
    FileIdentity m_identity;
    std::string m_error;
};
