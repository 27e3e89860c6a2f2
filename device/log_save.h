#pragma once

#include <string>
#include <vector>

#include "device/download_conversation.h"
#include "device/lap_column.h"

// LOG SAVE: the lap set into the lap file, then the sample set into the log
// file, one record per exchange.
class LogSave : public DownloadConversation {
public:
    using DownloadConversation::DownloadConversation;

    TransferResult Run(const std::string& lapPath, const std::string& logPath);

private:
    // What one log download keeps between records.
    struct State {
        std::vector<std::string> laps;
        int sampleCount = 0;  // announced by lap record 5; drives the progress
        int interval = 0;     // hundredths of a second
        std::string recordingTime = "00:00.00";
    };

    TransferResult DownloadLogData(const std::string& lapPath, const std::string& logPath);
    TransferResult DownloadLapSet(const std::string& path, State& state, std::string& reply);
    bool WriteLapRecord(TextFileWriter& file, int record, std::string payload, State& state);
    TransferResult DownloadSampleSet(const std::string& path, State& state, std::string& reply);
    // The lines a sample-set record adds to the log file; false for a sample
    // that cannot be read.
    bool SampleSetLines(int record, const std::string& payload, State& state,
                        std::vector<std::string>& lines);

    LapColumn m_lapColumn;
};
