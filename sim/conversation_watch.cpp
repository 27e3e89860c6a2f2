#include "sim/conversation_watch.h"

namespace ktr90 {

void ConversationWatch::onCommand(std::string_view line, std::int64_t nowMs) {
    m_endsInARow = line == "DEND" ? m_endsInARow + 1 : 0;
    m_updateEnded = m_updateEnded || line == "SUPE";
    m_lastCommandMs = nowMs;
}

bool ConversationWatch::over(std::int64_t nowMs) const {
    const bool quietAfterEnd = m_endsInARow > 0 && nowMs - m_lastCommandMs >= kQuietAfterEndMs;
    return m_updateEnded || m_endsInARow >= kEndsOfDownload || quietAfterEnd;
}

}  // namespace ktr90
