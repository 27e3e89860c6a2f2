// The simulated logger's scenario and fault parsers: any text is read or
// refused with a message naming what is wrong, never anything worse.
#include <stdexcept>
#include <string>

#include "sim/fault.h"
#include "sim/scenario_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        (void)ktr90::parseFault(text);
    } catch (const std::invalid_argument&) {
    }
    try {
        (void)ktr90::parseScenarioText(text);
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
