#include "viewer/lap_file_reader.h"

#include "text/log_file_texts.h"
#include "viewer/log_file_reader.h"
#include "viewer/text_lines.h"

namespace {

constexpr std::size_t kSummaryLines = 4;

// "LABEL,'mm:ss.cc" as hundredths of a second.
std::optional<int> labelledTime(std::string_view line, std::string_view label) {
    if (line.substr(0, label.size()) != label || line.substr(label.size(), 1) != ",") {
        return std::nullopt;
    }
    const auto time = parseTimeText(line.substr(label.size() + 1));
    if (!time || *time > 0x7FFFFFFF) {
        return std::nullopt;
    }
    return static_cast<int>(*time);
}

class LapParser {
public:
    LapParser(const std::string& path, std::string_view bytes) : m_path(path), m_bytes(bytes) {
        m_laps.path = path;
    }

    ReadResult<LapFile> parse() {
        if (auto error = checkTextFile(m_path, m_bytes)) {
            return *error;
        }
        const std::vector<std::string_view> lines = splitLines(m_bytes);
        const auto name = nameLineOf(lines[0]);
        if (!name) {
            return ReadError{
                m_path, 1,
                "a lap file begins with \"LOG NAME,\", this line is " + quoted(lines[0]) + "."};
        }
        m_laps.nameLine = *name;
        m_laps.title = titleOf(*name);
        if (lines.size() < kSummaryLines) {
            return ReadError{m_path, static_cast<int>(lines.size()) + 1,
                             "the file ends before the total, best and average lap times."};
        }
        if (!readSummary(lines)) {
            return m_error;
        }
        if (lines.size() > kSummaryLines && !readLapLines(lines)) {
            return m_error;
        }
        return std::move(m_laps);
    }

private:
    bool fail(std::size_t index, std::string what) {
        m_error = ReadError{m_path, static_cast<int>(index) + 1, std::move(what)};
        return false;
    }

    bool readSummary(const std::vector<std::string_view>& lines) {
        int* const targets[] = {&m_laps.totalCs, &m_laps.bestCs, &m_laps.averageCs};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto time = labelledTime(lines[i + 1], csv::kLapSummaryLabels[i]);
            if (!time) {
                return fail(i + 1, "this line should read \"" +
                                       std::string(csv::kLapSummaryLabels[i]) +
                                       ",'\" and a time like 01:23.45, it reads " +
                                       quoted(lines[i + 1]) + ".");
            }
            *targets[i] = *time;
        }
        return true;
    }

    bool readLapLines(const std::vector<std::string_view>& lines) {
        if (!lines[4].empty()) {
            return fail(4, "an empty line should follow the average lap, this line reads " +
                               quoted(lines[4]) + ".");
        }
        if (lines.size() > 5 && lines[5] != csv::kLapHeader) {
            return fail(5, "the laps' header should read \"LAP,LAP TIME\", it reads " +
                               quoted(lines[5]) + ".");
        }
        for (std::size_t i = 6; i < lines.size(); ++i) {
            const std::string expected = std::to_string(m_laps.lapsCs.size() + 1);
            const auto time = labelledTime(lines[i], expected);
            if (!time) {
                return fail(i, "lap " + expected + " should read " + expected +
                                   ",' and its time like 01:23.45, the line reads " +
                                   quoted(lines[i]) + ".");
            }
            m_laps.lapsCs.push_back(*time);
        }
        return true;
    }

    const std::string& m_path;
    std::string_view m_bytes;
    LapFile m_laps;
    ReadError m_error;
};

}  // namespace

ReadResult<LapFile> parseLapFile(const std::string& path, std::string_view bytes) {
    return LapParser(path, bytes).parse();
}

ReadResult<LapFile> readLapFile(const std::string& path) {
    return readAndParse<LapFile>(path, parseLapFile);
}
