// The viewer's readers on any bytes: a log file, then after a line
// "--- lap ---" its lap file, read and their laps matched to the samples.
#include <algorithm>
#include <string_view>

#include "tests/fuzz/require.h"
#include "viewer/lap_file_reader.h"
#include "viewer/log_file_reader.h"
#include "viewer/log_session.h"

namespace {

bool printable(const std::string& text) {
    return std::none_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// What a file shows a person holds no control character; what is kept of it
// is bounded by its size (its title and notes by a few shortened quotes).
template <typename T>
void check(const ReadResult<T>& read, std::size_t size, std::size_t keptSamples) {
    const auto* file = std::get_if<T>(&read);
    std::vector<std::string> shown = file ? file->notes : std::vector<std::string>{};
    shown.push_back(file ? file->title : std::get<ReadError>(read).message());
    std::size_t shownBytes = 0;
    for (const std::string& text : shown) {
        Require(printable(text), "a message, note or title shows no control character");
        shownBytes += text.size();
    }
    Require(shownBytes <= 8192, "messages and notes of bounded size");
    Require(keptSamples <= 2 * size + 64, "samples bounded by the file's size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t at = std::min(input.find("--- lap ---\n"), input.size());
    const std::string_view logBytes = input.substr(0, at);
    const std::string_view lapBytes = input.substr(std::min(at + 12, input.size()));

    const ReadResult<LogFile> logRead = parseLogFile("log.csv", logBytes);
    const ReadResult<LapFile> lapRead = parseLapFile("lap.csv", lapBytes);
    const auto* log = std::get_if<LogFile>(&logRead);
    const auto* laps = std::get_if<LapFile>(&lapRead);
    check(logRead, logBytes.size(), log ? log->timesCs.capacity() * 4 * (2 + kChannelCount) : 0);
    check(lapRead, lapBytes.size(), laps ? laps->lapsCs.capacity() * sizeof(int) : 0);
    if (log) {
        const LogSession session = makeSession(*log, laps ? std::optional(*laps) : std::nullopt);
        for (const LapSpan& span : session.spans) {
            Require(span.first < span.end && span.end <= log->size(), "laps within the log");
        }
    }
    return 0;
}
