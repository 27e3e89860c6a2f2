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

// A refusal or a note shows no control character; what is kept of a file is
// bounded by its size (names and notes by a few shortened quotes of it).
template <typename T>
void checked(const ReadResult<T>& read, std::size_t size, std::size_t keptSamples) {
    if (const auto* error = std::get_if<ReadError>(&read)) {
        Require(printable(error->message()), "a message shows no control character");
        return;
    }
    const T& file = std::get<T>(read);
    std::size_t text = file.title.size();
    for (const std::string& note : file.notes) {
        Require(printable(note), "a note shows no control character");
        text += note.size();
    }
    Require(printable(file.title), "a title shows no control character");
    Require(keptSamples <= 2 * size + 64, "samples bounded by the file's size");
    Require(text <= 8192, "names and notes of bounded size");
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
    const std::size_t logKept = log ? log->timesCs.capacity() * 4 * (2 + kChannelCount) : 0;
    checked(logRead, logBytes.size(), logKept);
    checked(lapRead, lapBytes.size(), laps ? laps->lapsCs.capacity() * sizeof(int) : 0);
    if (log) {
        const LogSession session = makeSession(*log, laps ? std::optional(*laps) : std::nullopt);
        for (const LapSpan& span : session.spans) {
            Require(span.first < span.end && span.end <= log->size(),
                    "a lap's samples are samples of the log");
        }
    }
    return 0;
}
