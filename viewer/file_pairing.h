#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "viewer/log_session.h"

enum class FileKind { Log, Lap, Other };

// By the second line: "SAMPLING INTERVAL" begins a log file, "TOTAL" a lap file.
FileKind fileKindOf(const std::string& path);

// The file LOG SAVE wrote together with this one, in the same folder: the
// name with "_log" and "_lap" swapped (as the save dialogs propose them),
// otherwise the file of the other kind whose LOG NAME line matches, the one
// written closest in time when there are several.
std::optional<std::string> partnerOf(const std::string& path, FileKind kind);

// Files given in any order, sorted into the log and its lap file; a missing
// one is looked for beside the other. log is empty when no log was given and
// none was found beside the lap file.
struct FilePair {
    std::string log;
    std::optional<std::string> lap;
};
FilePair pairFiles(const std::vector<std::string>& paths);

// Both files read and the laps matched to the samples.
ReadResult<LogSession> loadSession(const FilePair& pair);

// The pair to open from the files given, the one missing asked for: a lap
// file's log must be found (none: nothing opens), a log's lap file may be
// left out (its laps are then not shown). A log that cannot be read is named
// before the user looks for its lap file. None when nothing is to be opened:
// cancelled, or error says why.
enum class MissingFile { Log, Lap };
using MissingFileAsker =
    std::function<std::optional<std::string>(MissingFile missing, const std::string& partner)>;
std::optional<FilePair> completePair(const std::vector<std::string>& paths,
                                     const MissingFileAsker& ask, std::string& error);
