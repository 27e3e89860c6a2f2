#include "viewer/log_session.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "text/translation.h"

namespace {

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();

struct Summary {
    float first = kNoValue;
    float low = kNoValue;
    float high = kNoValue;
    double sum = 0;
    std::size_t count = 0;

    void add(float v) {
        if (std::isnan(v)) {
            return;
        }
        first = count == 0 ? v : first;
        low = count == 0 ? v : std::min(low, v);
        high = count == 0 ? v : std::max(high, v);
        sum += v;
        ++count;
    }
    float average() const { return count == 0 ? kNoValue : static_cast<float>(sum / count); }
};

// How often the throttle was wide open and how often it braked.
struct ThrottleUse {
    std::size_t full = 0;
    std::size_t braking = 0;
    std::size_t count = 0;

    void add(float v) {
        if (std::isnan(v)) {
            return;
        }
        full += v >= 100 ? 1 : 0;
        braking += v < 0 ? 1 : 0;
        ++count;
    }
    float percentOf(std::size_t part) const {
        return count == 0 ? kNoValue : static_cast<float>(100.0 * part / count);
    }
};

Summary summarise(const std::vector<float>& values, std::size_t first, std::size_t end) {
    Summary summary;
    for (std::size_t i = first; i < end; ++i) {
        summary.add(values[i]);
    }
    return summary;
}

}  // namespace

ValueRange paddedRange(const std::vector<float>& values, std::size_t first, std::size_t end) {
    const Summary s = summarise(values, first, end);
    if (s.count == 0) {
        return {0, 1};
    }
    const float margin = std::max((s.high - s.low) * 0.05f, 0.5f);
    return {s.low - margin, s.high + margin};
}

const LapSpan* LogSession::span(int lapNumber) const {
    for (const LapSpan& s : spans) {
        if (s.number == lapNumber) {
            return &s;
        }
    }
    return nullptr;
}

std::vector<LapSpan> lapSpans(const LogFile& log, std::size_t lapCount) {
    std::vector<LapSpan> spans;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const std::int32_t column = log.lapColumn[i];
        if (column < 0 || static_cast<std::size_t>(column) >= lapCount) {
            continue;
        }
        if (spans.empty() || spans.back().number != column + 1 || spans.back().end != i) {
            spans.push_back({column + 1, i, i, log.timesCs[i], 0});
        }
        spans.back().end = i + 1;
    }
    for (LapSpan& s : spans) {
        s.endCs = s.end < log.size() ? log.timesCs[s.end] : log.timesCs.back() + log.intervalCs;
    }
    return spans;
}

std::vector<LapFigures> lapFigures(const LogFile& log, const LapFile& laps,
                                   const std::vector<LapSpan>& spans) {
    std::vector<LapFigures> rows;
    if (laps.lapsCs.empty()) {
        return rows;
    }
    // One pass over the spans, each adding to its lap's row: a lap may come
    // back in the LAP column, and a log may hold as many spans as samples.
    struct LapSummaries {
        Summary rpm, volt, temp1, temp2;
        ThrottleUse throttle;
    };
    std::vector<LapSummaries> summaries(laps.lapsCs.size());
    for (const LapSpan& s : spans) {
        LapSummaries& lap = summaries[static_cast<std::size_t>(s.number - 1)];
        for (std::size_t k = s.first; k < s.end; ++k) {
            lap.throttle.add(log.channel(Channel::Throttle)[k]);
            lap.rpm.add(log.channel(Channel::Rpm)[k]);
            lap.volt.add(log.channel(Channel::Volt)[k]);
            lap.temp1.add(log.channel(Channel::Temp1)[k]);
            lap.temp2.add(log.channel(Channel::Temp2)[k]);
        }
    }
    const int best = *std::min_element(laps.lapsCs.begin(), laps.lapsCs.end());
    for (std::size_t i = 0; i < laps.lapsCs.size(); ++i) {
        LapFigures row;
        row.number = static_cast<int>(i) + 1;
        row.lapCs = laps.lapsCs[i];
        row.behindBestCs = row.lapCs - best;
        row.best = row.lapCs == best;
        const LapSummaries& lap = summaries[i];
        row.fullThrottlePercent = lap.throttle.percentOf(lap.throttle.full);
        row.brakingPercent = lap.throttle.percentOf(lap.throttle.braking);
        row.highestRpm = lap.rpm.high;
        row.lowestRpm = lap.rpm.low;
        row.lowestVolt = lap.volt.low;
        row.averageVolt = lap.volt.average();
        row.voltDrop = lap.volt.first - lap.volt.low;
        row.highestTemp1 = lap.temp1.high;
        row.highestTemp2 = lap.temp2.high;
        rows.push_back(row);
    }
    return rows;
}

LogSession makeSession(LogFile log, std::optional<LapFile> laps) {
    LogSession session;
    session.log = std::move(log);
    session.warnings = session.log.notes;
    for (std::size_t c = 0; c < kChannelCount; ++c) {
        session.ranges[c] = paddedRange(session.log.values[c], 0, session.log.size());
    }
    if (!laps) {
        return session;
    }
    session.laps = std::move(laps);
    session.warnings.insert(session.warnings.end(), session.laps->notes.begin(),
                            session.laps->notes.end());
    const std::size_t lapCount = session.laps->lapsCs.size();
    session.spans = lapSpans(session.log, lapCount);
    session.figures = lapFigures(session.log, *session.laps, session.spans);
    if (session.laps->nameLine != session.log.nameLine) {
        session.warnings.push_back(
            translated("The lap file is of {lap}, the log of {log}.",
                       {{"lap", session.laps->title}, {"log", session.log.title}}));
    }
    const auto highest =
        std::max_element(session.log.lapColumn.begin(), session.log.lapColumn.end());
    if (*highest > static_cast<std::int32_t>(lapCount)) {
        session.warnings.push_back(translated(
            "The log counts {logged} laps, the lap file holds {count}.",
            {{"logged", std::to_string(*highest)}, {"count", std::to_string(lapCount)}}));
    }
    return session;
}

float valueAt(const LogFile& log, Channel channel, double timeCs) {
    const auto after = std::upper_bound(log.timesCs.begin(), log.timesCs.end(), timeCs);
    if (after == log.timesCs.begin()) {
        return kNoValue;
    }
    return log.channel(channel)[static_cast<std::size_t>(after - log.timesCs.begin()) - 1];
}

std::string timeText(long long hundredths) {
    const bool negative = hundredths < 0;
    const long long h = std::llabs(hundredths);
    const long long minutes = h / 6000;
    char text[40];
    if (minutes >= 60) {
        std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld.%02lld", negative ? "-" : "",
                      minutes / 60, minutes % 60, h / 100 % 60, h % 100);
    } else {
        std::snprintf(text, sizeof text, "%s%02lld:%02lld.%02lld", negative ? "-" : "", minutes,
                      h / 100 % 60, h % 100);
    }
    return text;
}
