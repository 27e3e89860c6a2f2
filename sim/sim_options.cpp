#include "sim/sim_options.h"

#include <charconv>
#include <stdexcept>

#include "sim/generated_session.h"
#include "sim/scenario_file.h"

namespace ktr90 {

const char* const kSimUsage =
    "usage: ktr90-sim [options]\n"
    "  --scenario FILE     serve this scenario (default: a generated session)\n"
    "  --seed N            seed of the generated session (default 1)\n"
    "  --version TEXT      version answered to SUPV (default 1.04)\n"
    "  --fault FAULT       misbehave, e.g. SplitReply@DRED#3:gap=20 (repeatable)\n"
    "  --image-out FILE    write the received firmware image here\n"
    "  --transcript FILE   write every command and reply here\n"
    "  --once              end after one conversation\n"
    "  --baud N            pace replies at N baud, 8N1\n"
    "  --latency-ms N      hold each reply N ms, as a USB cable does\n"
    "  --help              show this text\n";

namespace {

// A fast FTDI chip's highest rate; a cable's latency timer holds 255 ms at most.
constexpr int kMaxBaud = 12'000'000;
constexpr int kMaxLatencyMs = 255;

template <typename Number>
Number numberArgument(const std::string& option, const std::string& text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        throw std::invalid_argument(option + " needs a number, not \"" + text + "\"");
    }
    return value;
}

int boundedArgument(const std::string& option, const std::string& text, int maximum) {
    const auto value = numberArgument<long long>(option, text);
    if (value < 0 || value > maximum) {
        throw std::invalid_argument(option + " takes 0 to " + std::to_string(maximum) + ", not " +
                                    text);
    }
    return static_cast<int>(value);
}

class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    bool more() const { return m_next < m_arguments.size(); }
    const std::string& option() { return m_arguments[m_next++]; }
    const std::string& valueOf(const std::string& option) {
        if (!more()) {
            throw std::invalid_argument(option + " needs a value");
        }
        return m_arguments[m_next++];
    }

private:
    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
};

void applyOption(SimOptions& options, const std::string& option, ArgumentReader& reader) {
    if (option == "--help" || option == "-h") {
        options.help = true;
    } else if (option == "--once") {
        options.logger.once = true;
    } else if (option == "--scenario") {
        options.scenarioPath = reader.valueOf(option);
    } else if (option == "--seed") {
        options.seed = numberArgument<std::uint64_t>(option, reader.valueOf(option));
    } else if (option == "--version") {
        options.versionText = reader.valueOf(option);
    } else if (option == "--fault") {
        options.faults.push_back(parseFault(reader.valueOf(option)));
    } else if (option == "--image-out") {
        options.logger.imageOutPath = reader.valueOf(option);
    } else if (option == "--transcript") {
        options.logger.transcriptPath = reader.valueOf(option);
    } else if (option == "--baud") {
        options.logger.pace.baud = boundedArgument(option, reader.valueOf(option), kMaxBaud);
    } else if (option == "--latency-ms") {
        options.logger.pace.latencyMs =
            boundedArgument(option, reader.valueOf(option), kMaxLatencyMs);
    } else {
        throw std::invalid_argument("unknown option " + option);
    }
}

}  // namespace

SimOptions parseSimOptions(const std::vector<std::string>& arguments) {
    SimOptions options;
    // The program never reads its transcript back: only --transcript keeps it.
    options.logger.keepTranscript = false;
    ArgumentReader reader(arguments);
    while (reader.more()) {
        const std::string& option = reader.option();
        applyOption(options, option, reader);
    }
    return options;
}

Scenario scenarioFor(const SimOptions& options) {
    Scenario scenario = options.scenarioPath.empty() ? generatedSession(options.seed)
                                                     : loadScenarioFile(options.scenarioPath);
    if (options.versionText) {
        scenario.versionText = *options.versionText;
    }
    scenario.faults.insert(scenario.faults.end(), options.faults.begin(), options.faults.end());
    return scenario;
}

}  // namespace ktr90
