#include "sim/scenario_file.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "sim/escape.h"
#include "sim/records.h"

namespace ktr90 {
namespace {

unsigned modelValue(std::string_view word) {
    const bool isHex = word.starts_with("0x") || word.starts_with("0X");
    const std::string_view digits = isHex ? word.substr(2) : word;
    unsigned value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, isHex ? 16 : 10);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        value > 0xFFFF) {
        throw std::invalid_argument("model value \"" + std::string(word) + "\" is not 0..65535");
    }
    return value;
}

void addModelValues(Scenario& scenario, std::string_view values) {
    std::istringstream words{std::string(values)};
    std::string word;
    while (words >> word) {
        scenario.modelReplies.push_back(record(hex4(modelValue(word))));
    }
}

// One "keyword rest" line; the rest is taken verbatim after unescaping, so
// payloads keep their spaces, commas and quotes.
void applyLine(Scenario& scenario, std::string_view keyword, std::string_view rest) {
    if (keyword == "lap") {
        scenario.lapReplies.push_back(record(unescapeBytes(rest)));
    } else if (keyword == "lap-reply") {
        scenario.lapReplies.push_back(unescapeBytes(rest));
    } else if (keyword == "sample") {
        scenario.sampleReplies.push_back(record(unescapeBytes(rest)));
    } else if (keyword == "sample-reply") {
        scenario.sampleReplies.push_back(unescapeBytes(rest));
    } else if (keyword == "model") {
        addModelValues(scenario, rest);
    } else if (keyword == "model-reply") {
        scenario.modelReplies.push_back(unescapeBytes(rest));
    } else if (keyword == "version") {
        scenario.versionText = unescapeBytes(rest);
    } else if (keyword == "fault") {
        scenario.faults.push_back(parseFault(rest));
    } else {
        throw std::invalid_argument("unknown keyword \"" + std::string(keyword) + "\"");
    }
}

void applyFileLine(Scenario& scenario, std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    if (line.empty() || line.starts_with('#')) {
        return;
    }
    const auto space = line.find(' ');
    const std::string_view keyword = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? "" : line.substr(space + 1);
    applyLine(scenario, keyword, rest);
}

}  // namespace

Scenario parseScenarioText(std::string_view text) {
    Scenario scenario;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        ++lineNumber;
        try {
            applyFileLine(scenario, text.substr(0, end));
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("scenario line " + std::to_string(lineNumber) + ": " +
                                        error.what());
        }
        text = end == std::string_view::npos ? "" : text.substr(end + 1);
    }
    return scenario;
}

Scenario loadScenarioFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read scenario file " + path);
    }
    std::ostringstream text;
    text << file.rdbuf();
    return parseScenarioText(text.str());
}

}  // namespace ktr90
