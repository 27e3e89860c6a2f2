#pragma once

#include <string>
#include <vector>

// The logs opened last, newest first, kept in a text file of their own: each
// entry the files of one opening by their whole paths (UTF-8), one line an
// entry, the files apart by a tab, which no file name holds.
class RecentLogs {
public:
    static constexpr std::size_t kMost = 8;

    explicit RecentLogs(std::string storePath);

    const std::vector<std::vector<std::string>>& entries() const { return m_entries; }
    // Puts the opening first (once) and writes the list; a list that cannot
    // be written is only not remembered.
    void remember(const std::vector<std::string>& files);

private:
    std::string m_storePath;
    std::vector<std::vector<std::string>> m_entries;
};
