#include "sim/received_image.h"

#include <fstream>
#include <stdexcept>

namespace ktr90 {

void ReceivedImage::clear() {
    const std::lock_guard lock(m_mutex);
    m_lines.clear();
}

void ReceivedImage::append(std::string line) {
    const std::lock_guard lock(m_mutex);
    m_lines.push_back(std::move(line));
}

std::vector<std::string> ReceivedImage::lines() const {
    const std::lock_guard lock(m_mutex);
    return m_lines;
}

void writeImageFile(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        file << line << "\r\n";
    }
    if (!file.flush()) {
        throw std::runtime_error("cannot write image file " + path);
    }
}

}  // namespace ktr90
