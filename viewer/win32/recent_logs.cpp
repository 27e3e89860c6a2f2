#include "viewer/win32/recent_logs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "device/file_access.h"
#include "viewer/text_lines.h"
#include "viewer/whole_file.h"

namespace {

constexpr std::size_t kLongestStore = 64 * 1024;

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + 1) {
        parts.push_back(text.substr(from, at - from));
    }
    parts.push_back(text.substr(from));
    return parts;
}

}  // namespace

RecentLogs::RecentLogs(std::string storePath) : m_storePath(std::move(storePath)) {
    const FileBytes stored = readWholeFile(m_storePath, kLongestStore);
    for (const std::string& line : split(stored.bytes, '\n')) {
        if (!line.empty() && m_entries.size() < kMost) {
            m_entries.push_back(split(line, '\t'));
        }
    }
}

void RecentLogs::remember(const std::vector<std::string>& files) {
    if (m_storePath.empty()) {
        return;
    }
    std::erase(m_entries, files);
    m_entries.insert(m_entries.begin(), files);
    m_entries.resize(std::min(m_entries.size(), kMost));
    std::string text;
    for (const std::vector<std::string>& entry : m_entries) {
        for (std::size_t i = 0; i < entry.size(); ++i) {
            text += (i ? "\t" : "") + entry[i];
        }
        text += '\n';
    }
    std::error_code error;
    std::filesystem::create_directories(FilePath(m_storePath).parent_path(), error);
    writeWholeFile(m_storePath, text);
}
