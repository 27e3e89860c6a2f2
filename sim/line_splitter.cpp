#include "sim/line_splitter.h"

namespace ktr90 {

std::vector<LineSplitter::Line> LineSplitter::feed(std::string_view bytes) {
    std::vector<Line> lines;
    for (const char c : bytes) {
        if (m_pending.size() < kMaxLineBytes) {
            m_pending += c;
        } else {
            m_tooLong = true;
        }
        if (c == '\n') {
            if (m_tooLong) {
                m_pending.back() = '\n';
            }
            lines.push_back({std::move(m_pending), m_tooLong});
            m_pending.clear();
            m_tooLong = false;
        }
    }
    return lines;
}

}  // namespace ktr90
