#include "viewer/log_file_reader.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/cp932.h"
#include "text/log_file_texts.h"
#include "viewer/text_lines.h"

namespace {

constexpr std::size_t kFieldCount = 8;
constexpr const char* kColumnNames[kFieldCount] = {"REC TIME", "ST(%)", "TH(%)", "RPM",
                                                   "VOLT(V)",  "TEMP1", "TEMP2", "LAP"};
// The header as written, or as a converted copy of the file has it.
const std::string& headerUtf8() {
    static const std::string header = cp932ToUtf8(std::string(csv::kLogHeader));
    return header;
}

class LogParser {
public:
    LogParser(const std::string& path, std::string_view bytes) : m_path(path), m_bytes(bytes) {
        m_log.path = path;
    }

    ReadResult<LogFile> parse() {
        if (auto error = checkTextFile(m_path, m_bytes)) {
            return *error;
        }
        const std::vector<std::string_view> lines = splitLines(m_bytes);
        if (!readNameLine(lines[0]) || !present(lines, 2) || !readInterval(lines[1]) ||
            !present(lines, 3) || !readHeader(lines[2])) {
            return m_error;
        }
        reserve(lines.size() - 3);
        for (std::size_t i = 3; i < lines.size(); ++i) {
            if (!readSample(lines[i], static_cast<int>(i) + 1)) {
                return m_error;
            }
        }
        if (m_log.size() == 0) {
            return fail(4, "the log holds no samples.");
        }
        return std::move(m_log);
    }

private:
    ReadError fail(int line, std::string what) {
        m_error = ReadError{m_path, line, std::move(what)};
        return m_error;
    }

    bool present(const std::vector<std::string_view>& lines, std::size_t lineNumber) {
        if (lines.size() >= lineNumber) {
            return true;
        }
        fail(static_cast<int>(lineNumber),
             "the file ends before the column header; a log file begins with its name, the "
             "sampling interval and the column header.");
        return false;
    }

    bool readNameLine(std::string_view line) {
        const auto name = nameLineOf(line);
        if (!name) {
            fail(1, "a log file begins with \"LOG NAME,\", this line is " + quoted(line) + ".");
            return false;
        }
        m_log.nameLine = *name;
        m_log.title = titleOf(*name);
        return true;
    }

    bool readInterval(std::string_view line) {
        const auto seconds =
            line.substr(0, csv::kSamplingIntervalLabel.size()) == csv::kSamplingIntervalLabel
                ? parseDecimal(line.substr(csv::kSamplingIntervalLabel.size()))
                : std::nullopt;
        const long long hundredths = seconds ? std::llround(*seconds * 100) : 0;
        if (hundredths < 1 || hundredths > 100) {
            fail(2,
                 "the sampling interval should read \"SAMPLING INTERVAL(sec),\" and 0.01 to "
                 "1.00 seconds, it reads " +
                     quoted(line) + ".");
            return false;
        }
        m_log.intervalCs = static_cast<int>(hundredths);
        return true;
    }

    bool readHeader(std::string_view line) {
        if (line != csv::kLogHeader && line != headerUtf8()) {
            fail(3,
                 "the column header should be REC TIME, ST(%), TH(%), RPM, VOLT(V), TEMP1, "
                 "TEMP2 and LAP, it reads " +
                     quoted(line) + ".");
            return false;
        }
        return true;
    }

    void reserve(std::size_t count) {
        m_log.timesCs.reserve(count);
        m_log.lapColumn.reserve(count);
        for (auto& values : m_log.values) {
            values.reserve(count);
        }
    }

    bool readSample(std::string_view line, int lineNumber) {
        const std::vector<std::string_view> fields = splitFields(line);
        if (fields.size() != kFieldCount) {
            fail(lineNumber, "a sample has 8 values (REC TIME to LAP), this line has " +
                                 std::to_string(fields.size()) + ".");
            return false;
        }
        const auto time = parseTimeText(fields[0]);
        if (!time) {
            fail(lineNumber, "the time " + quoted(fields[0]) + " is not a time like 01:23.45.");
            return false;
        }
        for (std::size_t c = 0; c < kChannelCount; ++c) {
            const auto value = channelValue(fields[c + 1]);
            if (!value) {
                fail(lineNumber, std::string(kColumnNames[c + 1]) + " " + quoted(fields[c + 1]) +
                                     " is not a number the logger writes.");
                return false;
            }
            m_log.values[c].push_back(*value);
        }
        const auto lap = lapValue(fields[7]);
        if (!lap) {
            fail(lineNumber, "LAP " + quoted(fields[7]) + " is neither a lap number nor \"-\".");
            return false;
        }
        m_log.timesCs.push_back(sampleTime(*time));
        m_log.lapColumn.push_back(*lap);
        return true;
    }

    // Times never run backwards: the original program's recording times go
    // wrong after 99:59.99, so from there the samples follow at the interval.
    // The latest time leaves room for one more interval in an int.
    std::int32_t sampleTime(long long written) const {
        constexpr long long kLatestCs = 0x7FFFFF00;
        long long time = written;
        if (!m_log.timesCs.empty() && written <= m_log.timesCs.back()) {
            time = static_cast<long long>(m_log.timesCs.back()) + m_log.intervalCs;
        }
        return static_cast<std::int32_t>(std::min(time, kLatestCs));
    }

    static std::optional<float> channelValue(std::string_view text) {
        if (text == "-") {
            return std::numeric_limits<float>::quiet_NaN();
        }
        // Far beyond any reading of the logger's four hexadecimal digits.
        constexpr double kLargest = 1e9;
        const auto value = parseDecimal(text);
        if (!value || std::abs(*value) > kLargest) {
            return std::nullopt;
        }
        return static_cast<float>(*value);
    }

    static std::optional<std::int32_t> lapValue(std::string_view text) {
        if (text == "-") {
            return -1;
        }
        const auto value = parseInteger(text);
        if (!value || *value < 0 || *value > 0xFFFFF) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(*value);
    }

    const std::string& m_path;
    std::string_view m_bytes;
    LogFile m_log;
    ReadError m_error;
};

}  // namespace

std::optional<ReadError> checkTextFile(const std::string& path, std::string_view bytes) {
    if (bytes.empty()) {
        return ReadError{path, 0, "the file is empty."};
    }
    if (bytes.size() > kLargestFileBytes) {
        return ReadError{path, 0, "the file is far larger than any log the logger holds."};
    }
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) {
        const auto line =
            1 + std::count(bytes.begin(), bytes.begin() + static_cast<long>(zero), '\n');
        return ReadError{path, static_cast<int>(line),
                         "the file holds binary data, it is not a text file."};
    }
    return std::nullopt;
}

ReadResult<LogFile> parseLogFile(const std::string& path, std::string_view bytes) {
    return LogParser(path, bytes).parse();
}

ReadResult<LogFile> readLogFile(const std::string& path) {
    return readAndParse<LogFile>(path, parseLogFile);
}
