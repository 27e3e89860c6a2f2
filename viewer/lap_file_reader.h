#pragma once

#include <string>
#include <string_view>

#include "viewer/log_files.h"

// Reads a lap file as LOG SAVE writes it: the log's name, the total, best and
// average lap times, and one line a lap. A lap file that ends after the
// average (the logger sent no laps) reads as one without laps.
ReadResult<LapFile> readLapFile(const std::string& path);
ReadResult<LapFile> parseLapFile(const std::string& path, std::string_view bytes);
