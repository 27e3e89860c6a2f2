// ktr90-sim: the simulated KTR-90 logger on a pseudo-terminal. Prints the
// port's path on one line, then answers until SIGINT or SIGTERM, or, with
// --once, until one conversation is over. See sim/README.md.
#include <signal.h>

#include <cerrno>
#include <ctime>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/sim_options.h"
#include "sim/simulated_logger.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kReadGraceMs = 2000;

sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

// Waits for a stop signal or for the logger to end by itself. The signals are
// blocked and taken here, so no handler runs amid the serving thread's work.
bool stoppedBySignal(const ktr90::SimulatedLogger& logger, const sigset_t& signals) {
    const timespec tick{0, 50'000'000};
    while (!logger.finished()) {
        if (::sigtimedwait(&signals, nullptr, &tick) >= 0) {
            return true;
        }
    }
    return false;
}

int serve(const ktr90::SimOptions& options) {
    const sigset_t signals = stopSignals();
    // Blocked before the serving thread starts, so that it inherits the mask.
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    ktr90::SimulatedLogger logger(ktr90::scenarioFor(options), options.logger);
    std::cout << logger.portPath() << std::endl;

    if (stoppedBySignal(logger, signals)) {
        return 0;
    }
    switch (logger.ending()) {
        case ktr90::Ending::HungUp:
            std::cerr << "ktr90-sim: hung up as the fault asked\n";
            return 0;
        case ktr90::Ending::LineFailed:
            std::cerr << "ktr90-sim: the pseudo-terminal failed\n";
            return 1;
        default:
            // The last reply should reach the program before the line goes.
            logger.waitUntilRead(kReadGraceMs);
            return 0;
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const ktr90::SimOptions options =
            ktr90::parseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << ktr90::kSimUsage;
            return 0;
        }
        return serve(options);
    } catch (const std::invalid_argument& error) {
        std::cerr << "ktr90-sim: " << error.what() << '\n' << ktr90::kSimUsage;
        return kUsageError;
    } catch (const std::exception& error) {
        std::cerr << "ktr90-sim: " << error.what() << '\n';
        return 1;
    }
}
