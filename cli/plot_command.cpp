// The plot command: the viewer's picture of a log, drawn without a display.
#include "cli/plot_command.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "cli/console.h"
#include "cli/exit_status.h"
#include "text/translation.h"
#include "viewer/comparison_painter.h"
#include "viewer/file_pairing.h"
#include "viewer/plot_export.h"
#include "viewer/text_lines.h"

const char* const kPlotUsageLine =
    "       datadock plot LOG.csv [--lap LAP.csv] --out FILE.png|FILE.svg [--channels ...] "
    "[--lap-range A-B]\n"
    "                     [--compare OTHER_LOG.csv] [--laps 2,5|1:2,2:5] [--laps-csv FILE.csv]\n";

namespace {

// After the label "usage:", which is as wide in every language.
constexpr char kPlotSynopsis[] =
    " datadock plot LOG.csv [--lap LAP.csv] --out FILE.png|FILE.svg\n"
    "                     [--channels st,th,rpm,volt,temp1,temp2] [--lap-range A-B] [--size WxH]\n"
    "                     [--compare OTHER_LOG.csv]... [--laps LAPS [--reference S:L] "
    "[--by-time]]\n"
    "                     [--laps-csv FILE.csv]\n";
constexpr char kPlotExplanation[] = DD_TEXT(
    "--laps overlays up to 8 laps lined up by distance (estimated from RPM), with a pane\n"
    "of their time variance against the reference lap: the fastest of all the sessions'\n"
    "laps unless --reference names one. A lap is SESSION:LAP, the sessions numbered 1 for\n"
    "LOG.csv and 2, 3, ... for each --compare in order; a bare LAP is a lap of LOG.csv.\n"
    "Laps are numbered as the lap table shows them. --by-time draws each lap by its\n"
    "time since it began instead (the variance stays by distance). --laps-csv writes\n"
    "LOG.csv's lap table as CSV (UTF-8); with it alone, --out may be left out.\n");

struct PlotRequest {
    std::string log;
    std::optional<std::string> lap;
    std::string out;
    std::array<bool, kChannelCount> shown{true, true, true, true, true, true};
    std::optional<std::pair<int, int>> lapRange;
    ImageSize size;
    std::optional<std::string> lapsCsv;
    std::vector<std::string> compared;  // the other sessions' logs
    std::optional<std::string> lapsText;
    std::optional<std::string> referenceText;
    std::vector<SessionLap> laps;
    std::optional<SessionLap> reference;
    LineUp lineUp = LineUp::ByDistance;
};

constexpr std::size_t kMostSessions = 8;

// A problem, on a line that names the command.
void SayProblem(const std::string& problem) {
    PrintText(stderr, "datadock plot: " + problem + "\n");
}

int PlotUsage(const std::string& problem) {
    PrintText(stderr, "datadock plot: " + problem + "\n" + translated("usage:") + kPlotSynopsis +
                          translated(kPlotExplanation));
    return kExitUsage;
}

std::optional<std::array<bool, kChannelCount>> ParseChannels(const std::string& list) {
    static const std::map<std::string, Channel> kNames = {
        {"st", Channel::Steering}, {"th", Channel::Throttle}, {"rpm", Channel::Rpm},
        {"volt", Channel::Volt},   {"temp1", Channel::Temp1}, {"temp2", Channel::Temp2}};
    std::array<bool, kChannelCount> shown{};
    for (const std::string_view name : splitFields(list)) {
        std::string lower(name);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const auto found = kNames.find(lower);
        if (found == kNames.end()) {
            return std::nullopt;
        }
        shown[static_cast<std::size_t>(found->second)] = true;
    }
    return shown;
}

// "A-B" or a single lap "A".
std::optional<std::pair<int, int>> ParseLapRange(const std::string& text) {
    const std::size_t dash = text.find('-');
    const auto first = parseInteger(std::string_view(text).substr(0, dash));
    const auto last =
        dash == std::string::npos ? first : parseInteger(std::string_view(text).substr(dash + 1));
    if (!first || !last || *first < 1 || *last < *first || *last > 1000000) {
        return std::nullopt;
    }
    return std::make_pair(static_cast<int>(*first), static_cast<int>(*last));
}

std::optional<ImageSize> ParseSize(const std::string& text) {
    const std::size_t x = text.find('x');
    const auto width = parseInteger(std::string_view(text).substr(0, x));
    const auto height =
        x == std::string::npos ? std::nullopt : parseInteger(std::string_view(text).substr(x + 1));
    if (!width || !height || *width < 200 || *height < 150 || *width > 20000 || *height > 20000) {
        return std::nullopt;
    }
    return ImageSize{static_cast<int>(*width), static_cast<int>(*height)};
}

// "5" (a lap of the first session) or "2:5", sessions counted from 1.
std::optional<SessionLap> ParseSessionLap(std::string_view text, std::size_t sessions) {
    const std::size_t colon = text.find(':');
    const auto session = colon == std::string_view::npos ? std::optional<long long>(1)
                                                         : parseInteger(text.substr(0, colon));
    const auto lap = parseInteger(colon == std::string_view::npos ? text : text.substr(colon + 1));
    if (!session || !lap || *session < 1 || *session > static_cast<long long>(sessions) ||
        *lap < 1 || *lap > 1000000) {
        return std::nullopt;
    }
    return SessionLap{static_cast<std::size_t>(*session - 1), static_cast<int>(*lap)};
}

// The laps to compare once the sessions are counted; an empty text when good.
std::string ParseComparedLaps(PlotRequest& request) {
    const std::size_t sessions = request.compared.size() + 1;
    for (const std::string_view item : splitFields(*request.lapsText)) {
        const auto lap = ParseSessionLap(item, sessions);
        if (!lap) {
            return translated(
                "--laps takes laps LAP or SESSION:LAP, sessions 1 to {count}, separated by commas",
                {{"count", std::to_string(sessions)}});
        }
        request.laps.push_back(*lap);
    }
    if (request.referenceText) {
        request.reference = ParseSessionLap(*request.referenceText, sessions);
        if (!request.reference) {
            return translated("--reference takes laps LAP or SESSION:LAP");
        }
    }
    return {};
}

// What the comparison's options need of each other; an empty text when good.
std::string CheckComparison(PlotRequest& request) {
    if (!request.lapsText) {
        return !request.compared.empty()
                   ? translated("--compare needs --laps to say which laps to overlay")
               : request.referenceText            ? translated("--reference needs --laps")
               : request.lineUp == LineUp::ByTime ? translated("--by-time needs --laps")
                                                  : "";
    }
    if (request.lapRange) {
        return translated("--laps and --lap-range cannot be given together");
    }
    if (request.compared.size() + 1 > kMostSessions) {
        return translated("at most {count} sessions can be compared",
                          {{"count", std::to_string(kMostSessions)}});
    }
    if (request.out.empty()) {
        return translated("no image given with --out");
    }
    return ParseComparedLaps(request);
}

// An empty text when the arguments are good, otherwise what is wrong.
std::string ParseArguments(int argc, char** argv, PlotRequest& request) {
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) {
            if (!request.log.empty()) {
                return translated("one log file only");
            }
            request.log = arg;
            continue;
        }
        if (arg == "--by-time") {
            request.lineUp = LineUp::ByTime;
            continue;
        }
        if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
            return translated("{option} needs a value", {{"option", arg}});
        }
        const std::string value = argv[++i];
        if (arg == "--lap") {
            request.lap = value;
        } else if (arg == "--out") {
            request.out = value;
        } else if (arg == "--channels") {
            const auto shown = ParseChannels(value);
            if (!shown) {
                return translated(
                    "--channels takes names from st, th, rpm, volt, temp1, temp2, separated by "
                    "commas");
            }
            request.shown = *shown;
        } else if (arg == "--lap-range") {
            request.lapRange = ParseLapRange(value);
            if (!request.lapRange) {
                return translated("--lap-range takes lap numbers A-B, A not above B");
            }
        } else if (arg == "--laps-csv") {
            request.lapsCsv = value;
        } else if (arg == "--compare") {
            request.compared.push_back(value);
        } else if (arg == "--laps") {
            request.lapsText = value;
        } else if (arg == "--reference") {
            request.referenceText = value;
        } else if (arg == "--size") {
            const auto size = ParseSize(value);
            if (!size) {
                return translated("--size takes WIDTHxHEIGHT, from 200x150 to 20000x20000");
            }
            request.size = *size;
        } else {
            return translated("unknown option {option}", {{"option", arg}});
        }
    }
    if (request.log.empty()) {
        return translated("no log file given");
    }
    if (const std::string wrong = CheckComparison(request); !wrong.empty()) {
        return wrong;
    }
    if (request.out.empty()) {
        return request.lapsCsv ? std::string() : translated("no image given with --out");
    }
    if (imageFormatOf(request.out) == ImageFormat::Unknown) {
        return translated("the image's name must end in .png or .svg");
    }
    return {};
}

FilePair PairFor(const PlotRequest& request) {
    if (request.lap) {
        return {request.log, request.lap};
    }
    return pairFiles({request.log});
}

void PrintLine(const std::string& text) {
    PrintText(stderr, text + "\n");
}

// Which lap file was found, and whatever does not agree between the files.
void PrintNotes(const PlotRequest& request, const FilePair& pair, const LogSession& session) {
    if (!request.lap) {
        if (pair.lap) {
            PrintLine(translated("lap file: {file}", {{"file", *pair.lap}}));
        } else {
            PrintLine(translated("no lap file beside {file}: plotting without laps",
                                 {{"file", pair.log}}));
        }
    }
    for (const std::string& warning : session.warnings) {
        PrintLine(translated("note: {note}", {{"note", warning}}));
    }
}

// The laps' time range, or an error text.
std::string ApplyLapRange(const LogSession& session, const PlotRequest& request, PlotView& view) {
    const auto [first, last] = *request.lapRange;
    const LapSpan* from = session.span(first);
    const LapSpan* to = session.span(last);
    if (!from || !to) {
        return session.spans.empty()
                   ? translated("the log has no laps to choose from")
                   : translated("the log's laps are 1 to {count}",
                                {{"count", std::to_string(session.spans.back().number)}});
    }
    showRange(session, view, from->startCs, to->endCs);
    return {};
}

// False, with the reason printed, when a file could not be written.
bool Written(const std::string& problem) {
    if (!problem.empty()) {
        SayProblem(problem);
    }
    return problem.empty();
}

// The sessions compared with the first: each log with the lap file found
// beside it. An error text when one cannot be read or has no laps.
std::string LoadCompared(const PlotRequest& request, std::vector<LogSession>& sessions) {
    for (const std::string& log : request.compared) {
        const FilePair pair = pairFiles({log});
        if (pair.log.empty() || !pair.lap) {
            return translated("no lap file beside {file}: its laps cannot be compared",
                              {{"file", log}});
        }
        ReadResult<LogSession> loaded = loadSession(pair);
        if (const auto* error = std::get_if<ReadError>(&loaded)) {
            return error->message();
        }
        sessions.push_back(std::move(std::get<LogSession>(loaded)));
    }
    return {};
}

// A lap number beyond a session's lap table, as a usage error; else empty.
std::string WrongLap(const PlotRequest& request, const std::vector<const LogSession*>& sessions) {
    std::vector<SessionLap> named = request.laps;
    if (request.reference) {
        named.push_back(*request.reference);
    }
    for (const SessionLap& lap : named) {
        const std::size_t count = sessions[lap.session]->figures.size();
        if (static_cast<std::size_t>(lap.lap) > count) {
            const std::string session = std::to_string(lap.session + 1);
            return count == 0
                       ? translated("session {session} has no laps", {{"session", session}})
                       : translated("session {session}'s laps are 1 to {count}",
                                    {{"session", session}, {"count", std::to_string(count)}});
        }
    }
    return {};
}

// The overlay of the laps asked for and their variance, drawn to --out.
int DrawComparison(const PlotRequest& request, const LogSession& first) {
    std::vector<LogSession> others;
    if (const std::string wrong = LoadCompared(request, others); !wrong.empty()) {
        SayProblem(wrong);
        return kExitFailed;
    }
    std::vector<const LogSession*> sessions = {&first};
    for (const LogSession& other : others) {
        sessions.push_back(&other);
    }
    if (const std::string wrong = WrongLap(request, sessions); !wrong.empty()) {
        return PlotUsage(wrong);
    }
    const LapComparison comparison =
        compareLaps(sessions, request.laps, request.reference, request.lineUp);
    if (!comparison.reference) {
        SayProblem(translated("the logs hold no samples of any lap"));
        return kExitFailed;
    }
    PlotView view;
    view.shown = request.shown;
    std::tie(view.startCs, view.endCs) = comparisonRange(comparison);
    if (!Written(exportComparison(comparison, view, request.size, request.out))) {
        return kExitFailed;
    }
    PrintLine(translated("reference: {lap}", {{"lap", lapName(*comparison.reference)}}));
    for (const std::string& note : comparison.notes) {
        PrintLine(translated("note: {note}", {{"note", note}}));
    }
    return kExitCompleted;
}

}  // namespace

int RunPlotCommand(int argc, char** argv) {
    PlotRequest request;
    const std::string problem = ParseArguments(argc, argv, request);
    if (!problem.empty()) {
        return PlotUsage(problem);
    }
    const FilePair pair = PairFor(request);
    if (pair.log.empty()) {
        SayProblem(
            translated("no log file found beside the lap file {file}", {{"file", request.log}}));
        return kExitFailed;
    }
    ReadResult<LogSession> loaded = loadSession(pair);
    if (const auto* error = std::get_if<ReadError>(&loaded)) {
        SayProblem(error->message());
        return kExitFailed;
    }
    const LogSession& session = std::get<LogSession>(loaded);
    PlotView view;
    view.shown = request.shown;
    resetView(session, view);
    if (request.lapRange) {
        const std::string wrongLaps = ApplyLapRange(session, request, view);
        if (!wrongLaps.empty()) {
            return PlotUsage(wrongLaps);
        }
    }
    if (request.lapsCsv && session.figures.empty()) {
        SayProblem(
            translated("{file} has no laps: there is no lap table to write", {{"file", pair.log}}));
        return kExitFailed;
    }
    if (request.lapsText) {
        if (const int status = DrawComparison(request, session); status != kExitCompleted) {
            return status;
        }
    } else if (!request.out.empty()) {
        if (!Written(exportPlot(session, view, request.size, request.out))) {
            return kExitFailed;
        }
    }
    if (request.lapsCsv && !Written(exportLapFigures(session.figures, *request.lapsCsv))) {
        return kExitFailed;
    }
    PrintNotes(request, pair, session);
    return kExitCompleted;
}
