#include "viewer/file_pairing.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "device/file_access.h"
#include "viewer/lap_file_reader.h"
#include "viewer/log_file_reader.h"
#include "viewer/text_lines.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSniffBytes = 4096;
constexpr std::size_t kMostFilesLookedAt = 2000;

struct Sniffed {
    FileKind kind = FileKind::Other;
    std::string nameLine;
};

Sniffed sniff(const std::string& path) {
    const FileBytes file = readWholeFile(path, kSniffBytes);
    LineCursor lines(textOf(file.bytes));
    const auto name = nameLineOf(lines.next());
    const std::string_view second = lines.next();
    if (!file.error.empty() || !name || lines.number() < 2) {
        return {};
    }
    if (second.starts_with("SAMPLING INTERVAL")) {
        return {FileKind::Log, std::string(*name)};
    }
    if (second.starts_with("TOTAL,")) {
        return {FileKind::Lap, std::string(*name)};
    }
    return {};
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "race_log.csv" gives "race_lap.csv", keeping the letters' case.
std::optional<fs::path> swappedName(const fs::path& path, FileKind kind) {
    const std::string stem = PathText(path.stem());
    const std::string from = kind == FileKind::Log ? "_log" : "_lap";
    const std::size_t at = lowered(stem).rfind(from);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    std::string swapped = stem;
    const char* to = kind == FileKind::Log ? "ap" : "og";
    for (int i = 0; i < 2; ++i) {
        const char c = to[i];
        const bool upper =
            std::isupper(static_cast<unsigned char>(stem[at + 2 + static_cast<std::size_t>(i)]));
        swapped[at + 2 + static_cast<std::size_t>(i)] =
            upper ? static_cast<char>(std::toupper(c)) : c;
    }
    return path.parent_path() / FilePath(swapped + PathText(path.extension()));
}

FileKind otherKind(FileKind kind) {
    return kind == FileKind::Log ? FileKind::Lap : FileKind::Log;
}

std::optional<std::string> sameLogBeside(const fs::path& path, const Sniffed& own) {
    std::error_code error;
    const fs::file_time_type ownTime = fs::last_write_time(path, error);
    std::optional<std::string> closest;
    auto closestGap = fs::file_time_type::duration::max();
    std::size_t looked = 0;
    fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (++looked > kMostFilesLookedAt) {
            break;
        }
        if (lowered(PathText(entry.path().extension())) != ".csv" || entry.path() == path) {
            continue;
        }
        const Sniffed other = sniff(PathText(entry.path()));
        if (other.kind != otherKind(own.kind) || other.nameLine != own.nameLine) {
            continue;
        }
        const auto time = fs::last_write_time(entry.path(), error);
        const auto gap = time > ownTime ? time - ownTime : ownTime - time;
        if (!closest || gap < closestGap) {
            closest = PathText(entry.path());
            closestGap = gap;
        }
    }
    return closest;
}

}  // namespace

FileKind fileKindOf(const std::string& path) {
    return sniff(path).kind;
}

std::optional<std::string> partnerOf(const std::string& path, FileKind kind) {
    const Sniffed own = sniff(path);
    if (kind == FileKind::Other || own.kind != kind) {
        return std::nullopt;
    }
    if (const auto swapped = swappedName(FilePath(path), kind)) {
        if (sniff(PathText(*swapped)).kind == otherKind(kind)) {
            return PathText(*swapped);
        }
    }
    return sameLogBeside(FilePath(path), own);
}

FilePair pairFiles(const std::vector<std::string>& paths) {
    FilePair pair;
    for (const std::string& path : paths) {
        const FileKind kind = fileKindOf(path);
        // A file of neither kind is read as a log, which says what is wrong with it.
        if (kind == FileKind::Lap && !pair.lap) {
            pair.lap = path;
        } else if (pair.log.empty()) {
            pair.log = path;
        } else if (!pair.lap) {
            pair.lap = path;
        }
    }
    if (!pair.log.empty() && !pair.lap) {
        pair.lap = partnerOf(pair.log, FileKind::Log);
    } else if (pair.log.empty() && pair.lap) {
        pair.log = partnerOf(*pair.lap, FileKind::Lap).value_or("");
    }
    return pair;
}

ReadResult<LogSession> loadSession(const FilePair& pair) {
    ReadResult<LogFile> log = readLogFile(pair.log);
    if (const auto* error = std::get_if<ReadError>(&log)) {
        return *error;
    }
    std::optional<LapFile> laps;
    if (pair.lap) {
        ReadResult<LapFile> read = readLapFile(*pair.lap);
        if (const auto* error = std::get_if<ReadError>(&read)) {
            return *error;
        }
        laps = std::move(std::get<LapFile>(read));
    }
    return makeSession(std::move(std::get<LogFile>(log)), std::move(laps));
}

std::optional<FilePair> completePair(const std::vector<std::string>& paths,
                                     const MissingFileAsker& ask, std::string& error) {
    if (paths.empty()) {
        return std::nullopt;
    }
    FilePair pair = pairFiles(paths);
    if (pair.log.empty()) {
        const std::optional<std::string> log = ask(MissingFile::Log, *pair.lap);
        if (!log) {
            return std::nullopt;
        }
        pair.log = *log;
    } else if (!pair.lap) {
        // A file that is no log (missing, binary, an option) is named now,
        // not after the user has looked for a lap file for it.
        if (const ReadResult<LogFile> log = readLogFile(pair.log);
            const auto* problem = std::get_if<ReadError>(&log)) {
            error = problem->message();
            return std::nullopt;
        }
        pair.lap = ask(MissingFile::Lap, pair.log);
    }
    return pair;
}
