#pragma once

#include <cstdint>
#include <string>

// Conversions of the logger's lap and sample records into the texts of the
// lap file and the log file. A payload is a record's reply without its first
// five characters, trailing "\r\n" included.

// A time group "MMMM,SSSS,CCCC" (hexadecimal minutes, seconds, hundredths)
// becomes "mm:ss.cc" in place, e.g. 0001,0017,002D gives 01:23.45.
void FormatDeviceTime(std::string& text);

// "mm:ss.cc" to milliseconds. The minutes are all the digits before the first
// separator, so recording times of 100 minutes and more stay right.
std::int64_t TimeTextToMs(const std::string& text);

// Advances the recording time "mm:ss.cc" by interval hundredths of a second,
// in place, and returns it. Minutes never wrap.
std::string NextRecTime(std::string& time, int interval);

// The sampling interval in seconds, "0.10" for 10 hundredths; "1.00" from 100 on.
std::string FormatSamplingInterval(const std::string& payload);

// The log name from the text after the log number: at most the first 20 bytes,
// never half of a two-byte character; a double quote and the bytes E1 to E5
// become A5; a carriage return or line feed ends it. A lead byte pairs only
// with a valid trail byte; without one it stays a byte of its own, so that a
// name cut inside a character can neither swallow the line's end nor a quote.
std::string CleanLogName(const std::string& text);

// The "LOG NAME,D" line of both files, from record 1's payload.
std::string LogNameLine(const std::string& payload);

// The six raw four-character fields of a sample record.
struct SampleFields {
    std::string st, th, rpm, volt, temp1, temp2;
};

// 1 when the payload holds five commas and a carriage return after them.
int ParseSampleFields(const std::string& payload, SampleFields& fields);

std::string SteeringText(const SampleFields& fields);
std::string ThrottleText(const SampleFields& fields);
std::string RpmText(const SampleFields& fields);
std::string VoltText(const SampleFields& fields);
std::string Temp1Text(const SampleFields& fields);
std::string Temp2Text(const SampleFields& fields);
