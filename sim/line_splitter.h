#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ktr90 {

// Cuts the incoming byte stream into command lines at each "\n"; a command
// may arrive over several reads.
class LineSplitter {
public:
    // A line longer than this is cut off and marked, so a sender that never
    // ends its line cannot grow memory without bound.
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    struct Line {
        std::string bytes;  // with its "\n"
        bool tooLong = false;
    };

    std::vector<Line> feed(std::string_view bytes);

private:
    std::string m_pending;
    bool m_tooLong = false;
};

}  // namespace ktr90
