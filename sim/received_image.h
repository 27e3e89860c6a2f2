#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace ktr90 {

// The firmware lines received with SUPD, shared between the serving thread
// and whoever inspects them.
class ReceivedImage {
public:
    void clear();
    void append(std::string line);
    std::vector<std::string> lines() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

// Writes the lines with "\r\n" after each, the form of the update file;
// throws std::runtime_error when the file cannot be written.
void writeImageFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace ktr90
