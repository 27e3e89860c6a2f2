#include "viewer/lap_file_reader.h"

#include "text/log_file_texts.h"
#include "text/translation.h"
#include "viewer/log_file_reader.h"
#include "viewer/text_lines.h"

namespace {

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
        LineCursor lines(textOf(m_bytes));
        const std::string_view first = lines.next();
        const auto name = nameLineOf(first);
        if (!name) {
            return ReadError{
                m_path, 1,
                translated("a lap file begins with \"LOG NAME,\", this line is {line}.",
                           {{"line", quoted(first)}})};
        }
        if (auto tooLong = nameLineTooLong(*name)) {
            return ReadError{m_path, 1, *tooLong};
        }
        m_laps.nameLine = *name;
        m_laps.title = titleOf(*name);
        if (!readSummary(lines) || !readLapLines(lines)) {
            return m_error;
        }
        return std::move(m_laps);
    }

private:
    bool fail(int line, std::string what) {
        m_error = ReadError{m_path, line, std::move(what)};
        return false;
    }

    bool readSummary(LineCursor& lines) {
        int* const targets[] = {&m_laps.totalCs, &m_laps.bestCs, &m_laps.averageCs};
        for (std::size_t i = 0; i < 3; ++i) {
            if (lines.atEnd()) {
                return fail(lines.number() + 1,
                            translated("the file ends before the total, best and average lap "
                                       "times."));
            }
            const std::string_view line = lines.next();
            const auto time = labelledTime(line, csv::kLapSummaryLabels[i]);
            if (!time) {
                return fail(
                    lines.number(),
                    translated("this line should read \"{label},'\" and a time like "
                               "01:23.45, it reads {line}.",
                               {{"label", csv::kLapSummaryLabels[i]}, {"line", quoted(line)}}));
            }
            *targets[i] = *time;
        }
        return true;
    }

    // After the summary (the logger may have sent no laps): an empty line,
    // the laps' header and a line a lap.
    bool readLapLines(LineCursor& lines) {
        if (lines.atEnd()) {
            return true;
        }
        if (const std::string_view empty = lines.next(); !empty.empty()) {
            return fail(lines.number(),
                        translated("an empty line should follow the average lap, this line "
                                   "reads {line}.",
                                   {{"line", quoted(empty)}}));
        }
        if (lines.atEnd()) {
            return true;
        }
        if (const std::string_view header = lines.next(); header != csv::kLapHeader) {
            return fail(lines.number(),
                        translated("the laps' header should read \"LAP,LAP TIME\", it reads "
                                   "{line}.",
                                   {{"line", quoted(header)}}));
        }
        while (!lines.atEnd()) {
            const std::string_view line = lines.next();
            const std::string expected = std::to_string(m_laps.lapsCs.size() + 1);
            const auto time = labelledTime(line, expected);
            if (time) {
                m_laps.lapsCs.push_back(*time);
                continue;
            }
            fail(lines.number(),
                 translated("lap {lap} should read {lap},' and its time like 01:23.45, the line "
                            "reads {line}.",
                            {{"lap", expected}, {"line", quoted(line)}}));
            if (!lines.atEnd() || m_laps.lapsCs.empty()) {
                return false;
            }
            m_laps.notes.push_back(leftOutNote(m_error));
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
