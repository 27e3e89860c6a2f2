#pragma once

#include <cstdint>

#include "sim/scenario.h"

namespace ktr90 {

// A believable day at the track for the demo: a car lapping in about 20 s,
// sampled every 0.10 s, with steering and throttle following the corners, a
// battery that sags, motor and speed-controller temperatures that rise and a
// sensor that drops out now and then. The same seed gives the same session.
Scenario generatedSession(std::uint64_t seed);

}  // namespace ktr90
