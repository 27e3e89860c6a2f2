#include "device/log_records.h"

#include <algorithm>
#include <cstdio>

#include "device/hex_field.h"
#include "device/leading_digits.h"
#include "text/log_file_texts.h"

namespace {

// format takes one long long ("%lld", "%02lld").
std::string Format(const char* format, long long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string TimeText(long long minutes, long long seconds, long long hundredths) {
    return Format("%02lld", minutes) + ":" + Format("%02lld", seconds) + "." +
           Format("%02lld", hundredths);
}

// The number in the decimal digits at pos, at most width of them, up to the
// first other character; 0 when there are none.
long long DigitsAt(const std::string& text, std::size_t pos, std::size_t width) {
    return static_cast<long long>(ReadLeadingDigits(Mid(text, pos, width), 10).value);
}

// Minutes, seconds and hundredths of "m...m:ss.cc": the minutes are all the
// digits in front (nine at most), seconds and hundredths at most two digits
// after their separator (':' or '.').
struct TimeParts {
    long long minutes = 0, seconds = 0, hundredths = 0;
};

TimeParts ParseTimeText(const std::string& text) {
    constexpr std::size_t kMaxMinuteDigits = 9;
    TimeParts parts;
    parts.minutes = DigitsAt(text, 0, kMaxMinuteDigits);
    const std::size_t minutesEnd = text.find_first_of(":.");
    if (minutesEnd == std::string::npos) {
        return parts;
    }
    parts.seconds = DigitsAt(text, minutesEnd + 1, 2);
    const std::size_t secondsEnd = text.find_first_of(":.", minutesEnd + 1);
    if (secondsEnd != std::string::npos) {
        parts.hundredths = DigitsAt(text, secondsEnd + 1, 2);
    }
    return parts;
}

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

int FieldValue(const std::string& field) {
    return ParseHexField(field);
}

std::string TemperatureText(const std::string& field) {
    const int value = FieldValue(field);
    return value == 255 ? "-" : Format("%lld", value);
}

}  // namespace

void FormatDeviceTime(std::string& text) {
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    const int minutes = ParseHexField(Mid(text, 0, 4));
    const int seconds = ParseHexField(Mid(text, 4, 4));
    const int hundredths = ParseHexField(Mid(text, 8, 4));
    text = TimeText(minutes, seconds, hundredths);
}

std::int64_t TimeTextToMs(const std::string& text) {
    const TimeParts t = ParseTimeText(text);
    return ((t.minutes * 60 + t.seconds) * 100 + t.hundredths) * 10;
}

// Carrying hundredths into seconds and seconds into minutes gives the same
// times as adding one second per 100 hundredths for intervals up to 100, and
// stays right beyond that.
std::string NextRecTime(std::string& time, int interval) {
    const TimeParts t = ParseTimeText(time);
    long long hundredths = t.hundredths + std::max(interval, 0);
    long long seconds = t.seconds + hundredths / 100;
    hundredths %= 100;
    long long minutes = t.minutes;
    if (seconds > 59) {
        minutes += seconds / 60;
        seconds %= 60;
    }
    time = TimeText(minutes, seconds, hundredths);
    return time;
}

std::string FormatSamplingInterval(const std::string& payload) {
    const int value = ParseHexField(payload);
    return value < 100 ? "0." + Format("%02lld", value) : "1.00";
}

std::string CleanLogName(const std::string& text) {
    constexpr std::size_t kMaxNameBytes = 20;
    std::string name;
    for (std::size_t i = 0; i < text.size() && i < kMaxNameBytes; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\r' || byte == '\n') {
            break;
        }
        if (byte == '"' || (byte >= 0xE1 && byte <= 0xE5)) {
            name += '\xA5';
        } else if (IsLeadByte(byte) && i + 1 < text.size() &&
                   IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
            if (i + 1 >= kMaxNameBytes) {
                break;  // its second byte would be cut off
            }
            name += text.substr(i, 2);
            ++i;
        } else if (IsLeadByte(byte) && i + 1 >= text.size()) {
            break;  // the name ends inside a character
        } else {
            name += static_cast<char>(byte);
        }
    }
    return name;
}

std::string LogNameLine(const std::string& payload) {
    return std::string(csv::kLogNamePrefix) + "D" +
           Format("%02lld", ParseHexField(Mid(payload, 0, 4))) + "," +
           CleanLogName(Mid(payload, 5));
}

int ParseSampleFields(const std::string& payload, SampleFields& fields) {
    std::size_t starts[6] = {0};
    std::size_t pos = 0;
    for (int i = 1; i < 6; ++i) {
        pos = payload.find(',', i == 1 ? 0 : pos + 1);
        if (pos == std::string::npos) {
            return 0;
        }
        starts[i] = pos + 1;
    }
    if (payload.find('\r', pos + 1) == std::string::npos) {
        return 0;
    }
    std::string* targets[6] = {&fields.st,   &fields.th,    &fields.rpm,
                               &fields.volt, &fields.temp1, &fields.temp2};
    for (int i = 0; i < 6; ++i) {
        *targets[i] = Mid(payload, starts[i], 4);
    }
    return 1;
}

std::string SteeringText(const SampleFields& f) {
    return Format("%lld", FieldValue(f.st) - 120);
}
std::string ThrottleText(const SampleFields& f) {
    return Format("%lld", FieldValue(f.th) - 120);
}
std::string RpmText(const SampleFields& f) {
    return Format("%lld", 2LL * FieldValue(f.rpm));
}

std::string VoltText(const SampleFields& f) {
    const std::string digits = Format("%lld", FieldValue(f.volt));
    switch (digits.size()) {
        case 1:
            return "0.0" + digits;
        case 2:
            return "0." + digits;
        default:
            return digits.substr(0, digits.size() - 2) + "." + digits.substr(digits.size() - 2);
    }
}

std::string Temp1Text(const SampleFields& f) {
    return TemperatureText(f.temp1);
}
std::string Temp2Text(const SampleFields& f) {
    return TemperatureText(f.temp2);
}
