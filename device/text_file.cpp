#include "device/text_file.h"

#include <cerrno>
#include <cstring>

#include "device/file_access.h"
#include "device/file_error_text.h"

TextFileWriter::~TextFileWriter() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool TextFileWriter::Fail(FileAction action) {
    m_error = FileErrorText(action, m_path, errno);
    return false;
}

bool TextFileWriter::Create(const std::string& path) {
    m_path = path;
    m_file = OpenFile(path, "wb");
    if (m_file == nullptr) {
        m_error = OpenFailureText(FileAction::Create, path);
        return false;
    }
    m_identity = IdentityOf(m_file);
    return true;
}

bool TextFileWriter::WriteLine(const std::string& line) {
    if (m_file == nullptr) {
        errno = EBADF;
        return Fail(FileAction::Write);
    }
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fputs("\r\n", m_file);
    return std::ferror(m_file) == 0 || Fail(FileAction::Write);
}

bool TextFileWriter::Flush() {
    return (m_file != nullptr && std::fflush(m_file) == 0) || Fail(FileAction::Write);
}

bool TextFileWriter::Close() {
    if (m_file == nullptr) {
        return true;
    }
    std::FILE* file = m_file;
    m_file = nullptr;
    // Some C libraries report a failed final write only from fflush, not from
    // fclose: both are checked.
    const bool flushed = std::fflush(file) == 0;
    const bool hadError = std::ferror(file) != 0 || !flushed;
    const bool closed = std::fclose(file) == 0;
    if (hadError || !closed) {
        if (errno == 0) {
            errno = EIO;
        }
        return Fail(FileAction::Write);
    }
    return true;
}

bool TextFileWriter::Remove() {
    Close();
    return RemoveCreatedFile(m_path, m_identity) || Fail(FileAction::Delete);
}
