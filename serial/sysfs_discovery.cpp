#include <algorithm>
#include <charconv>
#include <filesystem>
#include <limits>
#include <system_error>

#include "serial/port_discovery.h"
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
// adapter that port's "driver" link names the adapter's driver.
bool isFtdiTty(const fs::path& ttyDir) {
    std::error_code error;
    const fs::path port = fs::canonical(ttyDir / "device", error);
    return !error && linkTargetName(port / "driver") == kFtdiDriver;
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

void sortByTrailingNumber(std::vector<std::string>& names) {
    // Sorting by name first makes the order of equal numbers independent of
    // the order the directory lists its entries in.
    std::sort(names.begin(), names.end());
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return trailingNumber(a) < trailingNumber(b);
    });
}

}  // namespace

std::vector<std::string> discoverFtdiPortsInSysfs(const std::string& sysfsRoot,
                                                  const std::string& devRoot) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(sysfsRoot) / "class" / "tty", error), end;
         !error && entry != end; entry.increment(error)) {
        if (isFtdiTty(entry->path())) {
            names.push_back(entry->path().filename().string());
        }
    }
    sortByTrailingNumber(names);
    std::vector<std::string> ports;
    for (const std::string& name : names) {
        ports.push_back(devRoot + "/" + name);
    }
    return ports;
}

std::vector<std::string> discoverFtdiPorts() {
    return discoverFtdiPortsInSysfs("/sys", "/dev");
}
