#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "sim/received_image.h"
#include "sim/scenario.h"

namespace ktr90 {

// The logger's side of the dialogue: one command line in, one reply out.
// It knows nothing of the line itself, so faults and timing stay outside.
class LoggerProtocol {
public:
    LoggerProtocol(const Scenario& scenario, ReceivedImage& image);

    // line: the command without its line end. Returns the full reply.
    std::string answer(std::string_view line);

private:
    enum class DataSet { None, Laps, Samples, Model };

    std::string startDownload(std::string_view line);
    std::string nextRecord();
    std::string switchToSamples();
    std::string endDownload();
    std::string answerUpdate(std::string_view line);
    const std::vector<std::string>& currentReplies() const;

    const Scenario& m_scenario;
    ReceivedImage& m_image;
    DataSet m_current = DataSet::None;
    std::size_t m_nextRecord = 0;
};

}  // namespace ktr90
