#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ktr90 {

// Building blocks of the logger's replies. Numbers go on the wire as four
// upper-case hexadecimal digits; a reply is a status, an optional payload
// after a comma, and "\r\n".
inline constexpr const char* kLineEnd = "\r\n";
inline const std::string kOk = "OK00\r\n";
inline const std::string kEndOfData = "OK01\r\n";
inline const std::string kNoData = "OK02\r\n";
inline const std::string kRefused = "NG00\r\n";

// Four upper-case hexadecimal digits; values above 0xFFFF keep their low 16 bits.
std::string hex4(unsigned value);
// "MMMM,SSSS,CCCC": minutes, seconds and hundredths of a second.
std::string timeGroup(unsigned minutes, unsigned seconds, unsigned hundredths);
// The same from a time counted in hundredths of a second.
std::string timeGroupOfHundredths(std::uint32_t hundredths);
// A data record as the logger sends it: "OK00," + payload + "\r\n".
std::string record(const std::string& payload);
// One "OK00,XXXX" record per model value.
std::vector<std::string> modelRecords(const std::vector<unsigned>& values);

}  // namespace ktr90
