#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <system_error>

#include "serial/sysfs_discovery.h"

namespace fs = std::filesystem;

namespace {

constexpr char kFtdiDriver[] = "ftdi_sio";

// The basename of where a sysfs link leads; empty when it leads nowhere.
std::string linkTargetName(const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::canonical(link, error);
    return error ? std::string() : target.filename().string();
}

// A tty's "device" link leads to the port it belongs to; for a USB serial
// adapter that port's "driver" link names the adapter's driver. The FTDI
// port's folder, or nothing when the tty is not on one.
std::optional<fs::path> ftdiPortFolder(const fs::path& ttyDir) {
    std::error_code error;
    const fs::path port = fs::canonical(ttyDir / "device", error);
    if (error || linkTargetName(port / "driver") != kFtdiDriver) {
        return std::nullopt;
    }
    return port;
}

// The driver shows the timer in milliseconds, one number and a line break;
// anything else (an older driver has no such file) is not a timer.
std::optional<int> latencyTimerMs(const fs::path& portFolder) {
    std::ifstream file(portFolder / "latency_timer");
    std::string text;
    if (!std::getline(file, text)) {
        return std::nullopt;
    }
    int ms = -1;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, ms);
    if (error != std::errc() || end != last || ms < 0 || ms > kLongestLatencyTimerMs) {
        return std::nullopt;
    }
    return ms;
}

// The number a name ends in; 0 when it ends in none, the largest value when
// it does not fit.
unsigned long long trailingNumber(const std::string& name) {
    const auto lastNonDigit = name.find_last_not_of("0123456789");
    const std::size_t start = lastNonDigit == std::string::npos ? 0 : lastNonDigit + 1;
    unsigned long long number = 0;
    const char* first = name.data() + start;
    const char* last = name.data() + name.size();
    if (std::from_chars(first, last, number).ec == std::errc::result_out_of_range) {
        return std::numeric_limits<unsigned long long>::max();
    }
    return number;
}

void sortByTrailingNumber(std::vector<FtdiPort>& ports) {
    // Sorting by name first makes the order of equal numbers independent of
    // the order the directory lists its entries in.
    std::sort(ports.begin(), ports.end(),
              [](const FtdiPort& a, const FtdiPort& b) { return a.name < b.name; });
    std::stable_sort(ports.begin(), ports.end(), [](const FtdiPort& a, const FtdiPort& b) {
        return trailingNumber(a.name) < trailingNumber(b.name);
    });
}

}  // namespace

std::vector<FtdiPort> discoverFtdiPortsInSysfs(const std::string& sysfsRoot,
                                               const std::string& devRoot) {
    std::vector<FtdiPort> ports;
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(sysfsRoot) / "class" / "tty", error), end;
         !error && entry != end; entry.increment(error)) {
        if (const auto portFolder = ftdiPortFolder(entry->path())) {
            ports.push_back(
                {devRoot + "/" + entry->path().filename().string(), latencyTimerMs(*portFolder)});
        }
    }
    sortByTrailingNumber(ports);
    return ports;
}

std::vector<FtdiPort> discoverFtdiPortsWithLatency() {
    return discoverFtdiPortsInSysfs("/sys", "/dev");
}
