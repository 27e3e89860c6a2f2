#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "viewer/log_session.h"

// Laps of several sessions (LOG SAVE pairs) compared against a reference lap.
//
// The logger has no position sensor, but its RPM channel is the drivetrain's
// speed: the revolutions since a lap began, as a share of the lap's total,
// tell how far along the lap the car is (its progress, 0 to 1), whatever the
// gearing and tyres of the session. A lap is drawn at the reference lap's
// time of the same progress, so that a corner falls at the same place for
// every lap, and its time variance is its time at a progress minus the
// reference's time at that progress.

// A lap of one of the sessions compared.
struct SessionLap {
    std::size_t session = 0;  // 0 for the first session
    int lap = 0;              // as the lap table numbers it

    bool operator==(const SessionLap&) const = default;
};

// A row of the lap list across the sessions.
struct ComparedLapRow {
    SessionLap lap;
    int lapCs = 0;              // from the lap file
    int behindReferenceCs = 0;  // negative when faster than the reference
    bool hasSamples = false;    // the log holds samples of it, so it can be drawn
};

// A lap's progress over its time: the corners of a line, progress rising from
// 0 to 1 (or staying level where the car stood) while the time since the lap
// began rises from 0 to the lap time. Between two samples the RPM is that of
// the earlier one, so the line is straight there.
struct LapProgress {
    std::vector<double> timeCs;
    std::vector<double> progress;
    // No RPM (all "-" or zero) in the lap: its progress is its time since
    // the start as a share of its lap time.
    bool byTime = false;
};

// The progress of a lap's samples (the span's first samples of the lap), the
// times stretched to the lap file's lap time so that the lap ends where the
// lap file says (the samples only show it to the nearest sample).
LapProgress lapProgress(const LogFile& log, const LapSpan& span, int lapCs);

// The earliest time since the lap began at which it reached a progress.
double timeAtProgress(const LapProgress& lap, double progress);

// A corner of the time variance: at the reference lap's time, the lap's time
// at the same progress minus the reference's.
struct VariancePoint {
    double referenceCs = 0;
    double varianceCs = 0;
};

// The variance of a lap against the reference lap, as a line through both
// laps' corners: it starts at 0 and ends at the difference of the lap times;
// where a lap stood still it rises straight up, where the reference stood it
// falls.
std::vector<VariancePoint> timeVariance(const LapProgress& reference, const LapProgress& lap);

// The variance at a reference time, along the line (the first value where it
// rises straight up); the last one after the line's end.
double varianceAt(const std::vector<VariancePoint>& variance, double referenceCs);

// An overlaid lap, ready to draw: its samples and, for each, the reference
// lap's time at the sample's progress.
struct OverlaidLap {
    SessionLap lap;
    const LogSession* session = nullptr;
    std::size_t first = 0;  // its samples in the session's log: [first, end)
    std::size_t end = 0;
    int lapCs = 0;
    int samplesCs = 0;  // from its first sample to the next lap's (lapCs to a sample)
    LapProgress progress;
    std::vector<std::int32_t> alignedCs;  // one a sample, in the reference lap's time
    std::vector<VariancePoint> variance;
};

inline constexpr std::size_t kMostOverlaidLaps = 8;

// How the overlaid laps are drawn: at the reference's time of the same
// progress, or each at its own time since it began.
enum class LineUp { ByDistance, ByTime };

struct LapComparison {
    LineUp lineUp = LineUp::ByDistance;
    std::vector<ComparedLapRow> laps;  // every lap of every session, session by session
    std::optional<SessionLap> reference;
    std::vector<OverlaidLap> overlaid;  // the reference first, then the laps asked for
    std::vector<std::string> notes;     // laps lined up by time, left out or without samples
};

// The fastest lap that the logs hold samples of, the earliest session and lap
// first among equals; none when no lap has samples.
std::optional<SessionLap> fastestLap(const std::vector<const LogSession*>& sessions);

// The sessions' laps against the reference (by default the fastest), and the
// laps asked for overlaid on it, at most kMostOverlaidLaps with the reference.
// The variance is by distance either way.
LapComparison compareLaps(const std::vector<const LogSession*>& sessions,
                          const std::vector<SessionLap>& overlaid,
                          std::optional<SessionLap> reference = std::nullopt,
                          LineUp lineUp = LineUp::ByDistance);

// "session 2 lap 5" as the notes, the legend and the command line name it:
// sessions counted from 1.
std::string lapName(SessionLap lap);
