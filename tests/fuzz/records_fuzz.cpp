// The conversions of the logger's lap and sample records and its hexadecimal
// fields, on any bytes a reply can hold.
#include <fuzzer/FuzzedDataProvider.h>

#include "device/hex_field.h"
#include "device/log_records.h"
#include "tests/fuzz/require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int interval = in.ConsumeIntegral<int>();
    const std::string payload = in.ConsumeRemainingBytesAsString();

    (void)ParseHexField(payload);
    (void)Mid(payload, payload.size() / 2, 4);
    std::string time = payload;
    FormatDeviceTime(time);
    (void)TimeTextToMs(time);
    (void)NextRecTime(time, interval);
    (void)FormatSamplingInterval(payload);

    // The name stays one cell of one line, whatever the logger sent.
    const std::string name = CleanLogName(payload);
    Require(name.size() <= 20, "a log name of at most 20 bytes");
    Require(name.find_first_of("\r\n\"") == std::string::npos,
            "no line end or quote in a log name");
    (void)LogNameLine(payload);

    SampleFields fields;
    if (ParseSampleFields(payload, fields) == 1) {
        for (const std::string& text : {SteeringText(fields), ThrottleText(fields), RpmText(fields),
                                        VoltText(fields), Temp1Text(fields), Temp2Text(fields)}) {
            Require(text.find_first_of("\r\n") == std::string::npos, "a sample cell is one line");
        }
    }
    return 0;
}
