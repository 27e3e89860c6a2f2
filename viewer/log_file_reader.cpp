#include "viewer/log_file_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "text/cp932.h"
#include "text/log_file_texts.h"
#include "text/translation.h"
#include "viewer/text_lines.h"

namespace {

constexpr std::size_t kFieldCount = 8;
// The shortest sample line: "0:00.00,-,-,-,-,-,-,-" and its line feed.
constexpr std::size_t kShortestSampleBytes = 22;

// The column names as written (code page 932), and as a converted copy of
// the file has them (UTF-8), which is also how messages show them.
const std::vector<std::string_view>& columnNames(bool utf8) {
    static const std::string header = cp932ToUtf8(std::string(csv::kLogHeader));
    static const std::vector<std::string_view> written = splitFields(csv::kLogHeader);
    static const std::vector<std::string_view> converted = splitFields(header);
    return utf8 ? converted : written;
}

struct Sample {
    long long timeCs = 0;
    std::array<float, kChannelCount> values{};
    std::int32_t lap = -1;
};

class LogParser {
public:
    LogParser(const std::string& path, std::string_view bytes) : m_path(path), m_bytes(bytes) {
        m_log.path = path;
    }

    ReadResult<LogFile> parse() {
        if (auto error = checkTextFile(m_path, m_bytes)) {
            return *error;
        }
        LineCursor lines(textOf(m_bytes));
        if (!readNameLine(lines.next()) || !present(lines) || !readInterval(lines.next()) ||
            !present(lines) || !readHeader(lines.next())) {
            return m_error;
        }
        reserve();
        while (!lines.atEnd()) {
            const std::string_view line = lines.next();
            Sample sample;
            if (readSample(line, lines.number(), sample)) {
                add(sample);
            } else if (lines.atEnd() && m_log.size() > 0) {
                m_log.notes.push_back(leftOutNote(m_error));
            } else {
                return m_error;
            }
        }
        if (m_log.size() == 0) {
            return fail(4, 0, translated("the log holds no samples."));
        }
        if (holdsNoValues()) {
            m_log.notes.push_back(
                translated("\"{file}\" holds no values: every value of its samples is \"-\".",
                           {{"file", m_path}}));
        }
        return std::move(m_log);
    }

private:
    ReadError fail(int line, int column, std::string what) {
        m_error = ReadError{m_path, line, std::move(what), column};
        return m_error;
    }

    bool present(const LineCursor& lines) {
        if (!lines.atEnd()) {
            return true;
        }
        fail(lines.number() + 1, 0,
             translated("the file ends before the column header; a log file begins with its "
                        "name, the sampling interval and the column header."));
        return false;
    }

    bool readNameLine(std::string_view line) {
        const auto name = nameLineOf(line);
        if (!name) {
            fail(1, 0,
                 translated("a log file begins with \"LOG NAME,\", this line is {line}.",
                            {{"line", quoted(line)}}));
            return false;
        }
        if (auto tooLong = nameLineTooLong(*name)) {
            fail(1, 0, *tooLong);
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
            fail(2, 0,
                 translated("the sampling interval should read \"SAMPLING INTERVAL(sec),\" and "
                            "0.01 to 1.00 seconds, it reads {line}.",
                            {{"line", quoted(line)}}));
            return false;
        }
        m_log.intervalCs = static_cast<int>(hundredths);
        return true;
    }

    // The known columns first; any after LAP are left out with a note.
    bool readHeader(std::string_view line) {
        const std::vector<std::string_view> fields = splitFields(line, kFieldCount + 1);
        for (std::size_t c = 0; c < kFieldCount; ++c) {
            const std::string_view name = c < fields.size() ? fields[c] : std::string_view();
            if (c >= fields.size() ||
                (name != columnNames(false)[c] && name != columnNames(true)[c])) {
                const std::string found = c < fields.size()
                                              ? translated("it is {name}", {{"name", quoted(name)}})
                                              : translated("the line ends before it");
                fail(3, static_cast<int>(c) + 1,
                     translated("the column header should read REC TIME, ST(%), TH(%), RPM, "
                                "VOLT(V), TEMP1, TEMP2 and LAP; this column should be {column}, "
                                "{found}.",
                                {{"column", columnNames(true)[c]}, {"found", found}}));
                return false;
            }
        }
        m_columns = fieldCount(line);
        if (m_columns > kFieldCount) {
            const std::size_t after = fields[kFieldCount].data() - line.data();
            m_log.notes.push_back(translated("{where}: columns after LAP are not shown: {columns}.",
                                             {{"where", ReadError{m_path, 3, {}, 0}.where()},
                                              {"columns", quoted(line.substr(after))}}));
        }
        return true;
    }

    // Room for a sample a line, never more than the file's bytes can hold:
    // memory follows the file's size, whatever its lines.
    void reserve() {
        const auto lines =
            static_cast<std::size_t>(std::count(m_bytes.begin(), m_bytes.end(), '\n'));
        const std::size_t count = std::min(lines, m_bytes.size() / kShortestSampleBytes) + 1;
        m_log.timesCs.reserve(count);
        m_log.lapColumn.reserve(count);
        for (auto& values : m_log.values) {
            values.reserve(count);
        }
    }

    bool readSample(std::string_view line, int lineNumber, Sample& sample) {
        const std::size_t count = fieldCount(line);
        if (count != m_columns) {
            const std::string more =
                m_columns > kFieldCount
                    ? translated(" and {count} more",
                                 {{"count", std::to_string(m_columns - kFieldCount)}})
                    : std::string();
            fail(lineNumber, 0,
                 translated("a sample has {values} values (REC TIME to LAP{more}), this line has "
                            "{count}.",
                            {{"values", std::to_string(kFieldCount)},
                             {"more", more},
                             {"count", std::to_string(count)}}));
            return false;
        }
        const std::vector<std::string_view> fields = splitFields(line, kFieldCount);
        const auto time = parseTimeText(fields[0]);
        if (!time) {
            fail(lineNumber, 1,
                 translated("REC TIME {value} is not a time like 01:23.45.",
                            {{"value", quoted(fields[0])}}));
            return false;
        }
        sample.timeCs = *time;
        for (std::size_t c = 0; c < kChannelCount; ++c) {
            const auto value = channelValue(fields[c + 1]);
            if (!value) {
                fail(lineNumber, static_cast<int>(c) + 2,
                     translated(
                         "{column} {value} is not a number the logger writes.",
                         {{"column", columnNames(true)[c + 1]}, {"value", quoted(fields[c + 1])}}));
                return false;
            }
            sample.values[c] = *value;
        }
        const auto lap = lapValue(fields[7]);
        if (!lap) {
            fail(lineNumber, 8,
                 translated("LAP {value} is neither a lap number nor \"-\".",
                            {{"value", quoted(fields[7])}}));
            return false;
        }
        sample.lap = *lap;
        return true;
    }

    void add(const Sample& sample) {
        for (std::size_t c = 0; c < kChannelCount; ++c) {
            m_log.values[c].push_back(sample.values[c]);
        }
        m_log.timesCs.push_back(sampleTime(sample.timeCs));
        m_log.lapColumn.push_back(sample.lap);
    }

    bool holdsNoValues() const {
        return std::all_of(m_log.values.begin(), m_log.values.end(), [](const auto& values) {
            return std::all_of(values.begin(), values.end(), [](float v) { return std::isnan(v); });
        });
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
    std::size_t m_columns = kFieldCount;
};

}  // namespace

std::optional<ReadError> checkTextFile(const std::string& path, std::string_view bytes) {
    if (bytes.empty()) {
        return ReadError{path, 0, translated("the file is empty.")};
    }
    if (bytes.size() > kLargestFileBytes) {
        return ReadError{path, 0,
                         translated("the file is far larger than any log the logger holds.")};
    }
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) {
        const auto line =
            1 + std::count(bytes.begin(), bytes.begin() + static_cast<long>(zero), '\n');
        return ReadError{path, static_cast<int>(line),
                         translated("the file holds binary data, it is not a text file.")};
    }
    if (textOf(bytes).empty()) {
        return ReadError{path, 0, translated("the file holds nothing but empty lines.")};
    }
    return std::nullopt;
}

std::string leftOutNote(const ReadError& broken) {
    ReadError line = broken;
    line.column = 0;
    const std::string column =
        broken.column > 0
            ? translated(" (column {column})", {{"column", std::to_string(broken.column)}})
            : std::string();
    return translated("{where}, the last, is left out as cut short or broken{column}: {what}",
                      {{"where", line.where()}, {"column", column}, {"what", broken.what}});
}

ReadResult<LogFile> parseLogFile(const std::string& path, std::string_view bytes) {
    return LogParser(path, bytes).parse();
}

ReadResult<LogFile> readLogFile(const std::string& path) {
    return readAndParse<LogFile>(path, parseLogFile);
}
