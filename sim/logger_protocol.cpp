#include "sim/logger_protocol.h"

#include "sim/command.h"
#include "sim/records.h"

namespace ktr90 {

LoggerProtocol::LoggerProtocol(const Scenario& scenario, ReceivedImage& image)
    : m_scenario(scenario), m_image(image) {}

std::string LoggerProtocol::answer(std::string_view line) {
    const std::string_view name = commandName(line);
    if (name == "DSTA") {
        return startDownload(line);
    }
    if (line == "DRED") {
        return nextRecord();
    }
    if (line == "DCHG") {
        return switchToSamples();
    }
    if (line == "DEND") {
        return endDownload();
    }
    if (name.starts_with("SUP")) {
        return answerUpdate(line);
    }
    return kRefused;
}

std::string LoggerProtocol::startDownload(std::string_view line) {
    if (line != "DSTA,1" && line != "DSTA,0") {
        return kRefused;
    }
    m_current = line == "DSTA,1" ? DataSet::Laps : DataSet::Model;
    m_nextRecord = 0;
    return kOk;
}

std::string LoggerProtocol::nextRecord() {
    if (m_current == DataSet::None) {
        return kRefused;  // no download open
    }
    const std::vector<std::string>& replies = currentReplies();
    if (replies.empty()) {
        return kNoData;
    }
    if (m_nextRecord >= replies.size()) {
        return kEndOfData;
    }
    return replies[m_nextRecord++];
}

std::string LoggerProtocol::switchToSamples() {
    if (m_current == DataSet::None) {
        return kRefused;
    }
    m_current = DataSet::Samples;
    m_nextRecord = 0;
    return kOk;
}

std::string LoggerProtocol::endDownload() {
    m_current = DataSet::None;
    m_nextRecord = 0;
    return kOk;
}

std::string LoggerProtocol::answerUpdate(std::string_view line) {
    if (line == "SUPM") {
        m_image.clear();  // entering update mode starts a new image
        return kOk;
    }
    if (line == "SUPW" || line == "SUPC" || line == "SUPS" || line == "SUPE") {
        return kOk;
    }
    if (line == "SUPV") {
        return "OK00," + m_scenario.versionText + kLineEnd;
    }
    if (line.starts_with("SUPD,")) {
        m_image.append(std::string(line.substr(5)));
        return kOk;
    }
    return kRefused;
}

const std::vector<std::string>& LoggerProtocol::currentReplies() const {
    switch (m_current) {
        case DataSet::Laps:
            return m_scenario.lapReplies;
        case DataSet::Samples:
            return m_scenario.sampleReplies;
        default:
            return m_scenario.modelReplies;
    }
}

}  // namespace ktr90
