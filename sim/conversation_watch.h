#pragma once

#include <cstdint>
#include <string_view>

namespace ktr90 {

// Tells when one conversation with the program is over, for serving once:
// an update ends with SUPE; a download ends with its third DEND in a row, or
// with a DEND followed by kQuietAfterEndMs of silence (a program that ends
// after fewer DENDs).
class ConversationWatch {
public:
    static constexpr int kQuietAfterEndMs = 1500;
    static constexpr int kEndsOfDownload = 3;

    void onCommand(std::string_view line, std::int64_t nowMs);
    bool over(std::int64_t nowMs) const;

private:
    int m_endsInARow = 0;
    bool m_updateEnded = false;
    std::int64_t m_lastCommandMs = 0;
};

}  // namespace ktr90
