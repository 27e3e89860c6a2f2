#include "viewer/lap_comparison.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/translation.h"

namespace {

// The time at a progress within segment i of a lap's line, whose progress
// at its start is at most the one asked for.
double along(const LapProgress& lap, std::size_t i, double progress) {
    if (i + 1 >= lap.progress.size() || lap.progress[i] >= progress) {
        return lap.timeCs[i];
    }
    const double p0 = lap.progress[i], p1 = lap.progress[i + 1];
    return lap.timeCs[i] + (progress - p0) / (p1 - p0) * (lap.timeCs[i + 1] - lap.timeCs[i]);
}

// The time a lap reached a progress, given the first corner at or beyond it.
double reachedAt(const LapProgress& lap, std::size_t corner, double progress) {
    if (corner == 0) {
        return lap.timeCs.front();
    }
    if (corner == lap.progress.size()) {
        return lap.timeCs.back();
    }
    return along(lap, corner - 1, progress);
}

// The reference's times at a lap's samples' progress, which never falls: one
// walk along both.
std::vector<std::int32_t> alignedTimes(const LapProgress& reference, const LapProgress& lap) {
    std::vector<std::int32_t> times;
    times.reserve(lap.progress.size() - 1);
    std::size_t corner = 0;
    for (std::size_t k = 0; k + 1 < lap.progress.size(); ++k) {
        const double progress = lap.progress[k];
        while (corner < reference.progress.size() && reference.progress[corner] < progress) {
            ++corner;
        }
        times.push_back(
            static_cast<std::int32_t>(std::lround(reachedAt(reference, corner, progress))));
    }
    return times;
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

// Which laps of a session the log holds samples of, from one pass over its spans.
std::vector<bool> lapsWithSamples(const LogSession& session) {
    std::vector<bool> with(session.figures.size(), false);
    for (const LapSpan& span : session.spans) {
        with[static_cast<std::size_t>(span.number - 1)] = true;
    }
    return with;
}

std::vector<ComparedLapRow> lapRows(const std::vector<const LogSession*>& sessions) {
    std::vector<ComparedLapRow> rows;
    for (std::size_t s = 0; s < sessions.size(); ++s) {
        const std::vector<bool> with = lapsWithSamples(*sessions[s]);
        for (const LapFigures& figures : sessions[s]->figures) {
            rows.push_back({{s, figures.number},
                            figures.lapCs,
                            0,
                            with[static_cast<std::size_t>(figures.number - 1)]});
        }
    }
    return rows;
}

const ComparedLapRow* rowOf(const std::vector<ComparedLapRow>& rows, SessionLap lap) {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const ComparedLapRow& row) { return row.lap == lap; });
    return found == rows.end() ? nullptr : &*found;
}

OverlaidLap overlay(const std::vector<const LogSession*>& sessions, const ComparedLapRow& row) {
    OverlaidLap lap;
    lap.lap = row.lap;
    lap.session = sessions[row.lap.session];
    const LapSpan& span = *lap.session->span(row.lap.lap);
    lap.first = span.first;
    lap.end = span.end;
    lap.lapCs = row.lapCs;
    lap.samplesCs = span.endCs - span.startCs;
    lap.progress = lapProgress(lap.session->log, span, row.lapCs);
    return lap;
}

// The laps to overlay: the reference first, each lap once, those that can be
// drawn, at most kMostOverlaidLaps; what was left out goes to the notes.
std::vector<const ComparedLapRow*> lapsToOverlay(const LapComparison& comparison,
                                                 const std::vector<SessionLap>& asked,
                                                 std::vector<std::string>& notes) {
    std::vector<const ComparedLapRow*> chosen = {rowOf(comparison.laps, *comparison.reference)};
    for (const SessionLap& lap : asked) {
        const ComparedLapRow* row = rowOf(comparison.laps, lap);
        if (std::find(chosen.begin(), chosen.end(), row) != chosen.end()) {
            continue;
        }
        if (!row) {
            notes.push_back(
                translated("{lap} is not in the lap files.", {{"lap", capitalised(lapName(lap))}}));
        } else if (!row->hasSamples) {
            notes.push_back(translated("{lap} has no samples in the log.",
                                       {{"lap", capitalised(lapName(lap))}}));
        } else if (chosen.size() == kMostOverlaidLaps) {
            notes.push_back(translated("{lap} is left out: at most {count} laps are overlaid.",
                                       {{"lap", capitalised(lapName(lap))},
                                        {"count", std::to_string(kMostOverlaidLaps)}}));
        } else {
            chosen.push_back(row);
        }
    }
    return chosen;
}

}  // namespace

LapProgress lapProgress(const LogFile& log, const LapSpan& span, int lapCs) {
    LapProgress lap;
    const double durationCs = span.endCs - span.startCs;
    if (span.end <= span.first || durationCs <= 0) {
        lap.timeCs = {0, static_cast<double>(std::max(lapCs, 0))};
        lap.progress = {0, 1};
        lap.byTime = true;
        return lap;
    }
    const double stretch = lapCs > 0 ? lapCs / durationCs : 1;
    const std::vector<float>& rpm = log.channel(Channel::Rpm);
    const std::size_t count = span.end - span.first;
    lap.timeCs.resize(count + 1);
    lap.progress.resize(count + 1);
    double revolutions = 0;  // in RPM times hundredths: only their shares count
    for (std::size_t k = 0; k <= count; ++k) {
        const double since = k < count ? log.timesCs[span.first + k] - span.startCs : durationCs;
        if (k > 0) {
            const float r = rpm[span.first + k - 1];
            revolutions += std::isnan(r) || r < 0 ? 0 : r * (since - lap.timeCs[k - 1]);
        }
        lap.timeCs[k] = since;
        lap.progress[k] = revolutions;
    }
    lap.byTime = revolutions <= 0;
    for (std::size_t k = 0; k <= count; ++k) {
        lap.progress[k] = lap.byTime ? lap.timeCs[k] / durationCs : lap.progress[k] / revolutions;
        lap.timeCs[k] *= stretch;
    }
    lap.progress.back() = 1;
    return lap;
}

double timeAtProgress(const LapProgress& lap, double progress) {
    const auto at = std::lower_bound(lap.progress.begin(), lap.progress.end(), progress);
    return reachedAt(lap, static_cast<std::size_t>(at - lap.progress.begin()), progress);
}

std::vector<VariancePoint> timeVariance(const LapProgress& reference, const LapProgress& lap) {
    // Both lines are walked together, corner by corner in order of progress.
    // Where one stays level (its car stood still) only it moves on, so the
    // variance runs straight up or down there; where both stand, they stand
    // together.
    std::vector<VariancePoint> points;
    points.reserve(reference.progress.size() + lap.progress.size());
    const std::size_t lastR = reference.progress.size() - 1, lastL = lap.progress.size() - 1;
    constexpr double kBeyond = std::numeric_limits<double>::infinity();
    std::size_t r = 0, l = 0;
    points.push_back({reference.timeCs[0], lap.timeCs[0] - reference.timeCs[0]});
    while (r < lastR || l < lastL) {
        const double nextR = r < lastR ? reference.progress[r + 1] : kBeyond;
        const double nextL = l < lastL ? lap.progress[l + 1] : kBeyond;
        const double progress = std::min(nextR, nextL);
        r += nextR == progress ? 1 : 0;
        l += nextL == progress ? 1 : 0;
        const double referenceCs = along(reference, r, progress);
        points.push_back({referenceCs, along(lap, l, progress) - referenceCs});
    }
    return points;
}

double varianceAt(const std::vector<VariancePoint>& variance, double referenceCs) {
    const auto at = std::lower_bound(
        variance.begin(), variance.end(), referenceCs,
        [](const VariancePoint& point, double t) { return point.referenceCs < t; });
    if (at == variance.end()) {
        return variance.empty() ? 0 : variance.back().varianceCs;
    }
    if (at == variance.begin() || at->referenceCs == referenceCs) {
        return at->varianceCs;
    }
    const VariancePoint& before = *(at - 1);
    return before.varianceCs + (referenceCs - before.referenceCs) /
                                   (at->referenceCs - before.referenceCs) *
                                   (at->varianceCs - before.varianceCs);
}

std::optional<SessionLap> fastestLap(const std::vector<const LogSession*>& sessions) {
    std::optional<ComparedLapRow> fastest;
    for (const ComparedLapRow& row : lapRows(sessions)) {
        if (row.hasSamples && (!fastest || row.lapCs < fastest->lapCs)) {
            fastest = row;
        }
    }
    return fastest ? std::optional(fastest->lap) : std::nullopt;
}

LapComparison compareLaps(const std::vector<const LogSession*>& sessions,
                          const std::vector<SessionLap>& overlaid,
                          std::optional<SessionLap> reference, LineUp lineUp) {
    LapComparison comparison;
    comparison.lineUp = lineUp;
    comparison.laps = lapRows(sessions);
    if (reference) {
        const ComparedLapRow* row = rowOf(comparison.laps, *reference);
        if (!row || !row->hasSamples) {
            comparison.notes.push_back(
                translated("{lap} cannot be the reference: the logs hold no samples of it. The "
                           "fastest lap is.",
                           {{"lap", capitalised(lapName(*reference))}}));
            reference.reset();
        }
    }
    comparison.reference = reference ? reference : fastestLap(sessions);
    if (!comparison.reference) {
        return comparison;
    }
    const int referenceCs = rowOf(comparison.laps, *comparison.reference)->lapCs;
    for (ComparedLapRow& row : comparison.laps) {
        row.behindReferenceCs = row.lapCs - referenceCs;
    }
    for (const ComparedLapRow* row : lapsToOverlay(comparison, overlaid, comparison.notes)) {
        comparison.overlaid.push_back(overlay(sessions, *row));
    }
    const LapProgress& referenceProgress = comparison.overlaid.front().progress;
    for (OverlaidLap& lap : comparison.overlaid) {
        if (lineUp == LineUp::ByTime) {
            const auto& times = lap.session->log.timesCs;
            for (std::size_t k = lap.first; k < lap.end; ++k) {
                lap.alignedCs.push_back(times[k] - times[lap.first]);
            }
        } else if (&lap == &comparison.overlaid.front()) {
            for (std::size_t k = 0; k + 1 < lap.progress.timeCs.size(); ++k) {
                lap.alignedCs.push_back(
                    static_cast<std::int32_t>(std::lround(lap.progress.timeCs[k])));
            }
        } else {
            lap.alignedCs = alignedTimes(referenceProgress, lap.progress);
        }
        lap.variance = timeVariance(referenceProgress, lap.progress);
        if (lap.progress.byTime && lineUp == LineUp::ByDistance) {
            comparison.notes.push_back(
                translated("{lap} has no RPM: it is lined up by its time since the lap began.",
                           {{"lap", capitalised(lapName(lap.lap))}}));
        }
    }
    return comparison;
}

std::string lapName(SessionLap lap) {
    return translated("session {session} lap {lap}", {{"session", std::to_string(lap.session + 1)},
                                                      {"lap", std::to_string(lap.lap)}});
}
