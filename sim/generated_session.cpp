#include "sim/generated_session.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "sim/records.h"

namespace ktr90 {
namespace {

constexpr std::uint32_t kIntervalHundredths = 10;
constexpr int kNoSensor = 255;
constexpr double kPi = 3.14159265358979323846;

// SplitMix64: small and gives the same numbers on every platform, which the
// standard distributions do not promise.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // first .. last, both included
    int between(int first, int last) {
        const auto span = static_cast<std::uint64_t>(last - first + 1);
        return first + static_cast<int>(next() % span);
    }

private:
    std::uint64_t m_state;
};

struct Session {
    std::string header;  // "NNNN,NAME", shared by the lap and the sample set
    std::uint32_t startHundredths = 0;
    std::vector<std::uint32_t> lapHundredths;
    std::uint32_t tailHundredths = 0;
};

Session sessionShape(Random& random, std::uint64_t seed) {
    Session session;
    session.header = hex4(static_cast<unsigned>(1 + seed % 50)) + ",SUZUKA 2026";
    session.startHundredths = static_cast<std::uint32_t>(random.between(100, 400));
    const int laps = random.between(3, 10);
    for (int lap = 0; lap < laps; ++lap) {
        // Now and then a lap with a spin or a marshal's help in it.
        const int incident = random.between(0, 9) == 0 ? random.between(300, 600) : 0;
        session.lapHundredths.push_back(
            static_cast<std::uint32_t>(random.between(1900, 2200) + incident));
    }
    session.tailHundredths = static_cast<std::uint32_t>(random.between(50, 150));
    return session;
}

std::vector<std::string> lapReplies(const Session& session, std::size_t sampleCount) {
    const auto& laps = session.lapHundredths;
    const std::uint32_t total = std::accumulate(laps.begin(), laps.end(), 0u);
    const std::uint32_t best = *std::min_element(laps.begin(), laps.end());
    const auto count = static_cast<std::uint32_t>(laps.size());
    const std::uint32_t average = (total + count / 2) / count;
    std::vector<std::string> replies{
        record(session.header),
        record(timeGroupOfHundredths(total)),
        record(timeGroupOfHundredths(best)),
        record(timeGroupOfHundredths(average)),
        record(timeGroupOfHundredths(session.startHundredths) + "," +
               hex4(static_cast<unsigned>(sampleCount))),
    };
    for (const std::uint32_t lap : laps) {
        replies.push_back(record(timeGroupOfHundredths(lap)));
    }
    return replies;
}

// Where on the lap the car is at a time, 0..1; negative before the start.
double lapPhaseAt(const Session& session, std::uint32_t time) {
    if (time < session.startHundredths) {
        return -1.0;
    }
    std::uint32_t lapStart = session.startHundredths;
    for (const std::uint32_t lap : session.lapHundredths) {
        if (time < lapStart + lap) {
            return static_cast<double>(time - lapStart) / lap;
        }
        lapStart += lap;
    }
    return -1.0;  // after the finish: rolling to a stop
}

struct Sample {
    int steering = 0;  // -120..120
    int throttle = 0;  // -120..120, negative is braking
    double rpm = 0.0;
    int centivolts = 0;
    int motorCelsius = 0;
    int controllerCelsius = 0;
};

// The track: a few corners of different sharpness around the lap.
double curvatureAt(double phase) {
    return 0.7 * std::sin(2 * kPi * 3 * phase) + 0.3 * std::sin(2 * kPi * 5 * phase + 1.0);
}

Sample sampleAt(const Session& session, std::uint32_t time, double progress, double previousRpm,
                Random& random) {
    Sample sample;
    const double phase = lapPhaseAt(session, time);
    if (phase >= 0.0) {
        const double curve = curvatureAt(phase);
        sample.steering =
            std::clamp(static_cast<int>(curve * 100) + random.between(-3, 3), -120, 120);
        sample.throttle = std::clamp(
            static_cast<int>(110 - 150 * std::abs(curve)) + random.between(-4, 4), -120, 120);
    }
    const double targetRpm = 4000.0 + 36000.0 * std::max(0, sample.throttle) / 120.0;
    sample.rpm = phase >= 0.0 ? previousRpm * 0.8 + targetRpm * 0.2 : previousRpm * 0.7;
    const double load = std::max(0, sample.throttle) / 120.0;
    sample.centivolts = static_cast<int>(830 - 95 * progress - 25 * load) + random.between(-1, 1);
    sample.motorCelsius = static_cast<int>(24 + 38 * progress);
    sample.controllerCelsius = static_cast<int>(23 + 21 * progress);
    return sample;
}

std::string samplePayload(const Sample& sample, bool sensorDropout) {
    const int rpmField = static_cast<int>(sample.rpm / 2);
    return hex4(static_cast<unsigned>(sample.steering + 120)) + "," +
           hex4(static_cast<unsigned>(sample.throttle + 120)) + "," +
           hex4(static_cast<unsigned>(rpmField)) + "," +
           hex4(static_cast<unsigned>(sample.centivolts)) + "," +
           hex4(static_cast<unsigned>(sample.motorCelsius)) + "," +
           hex4(static_cast<unsigned>(sensorDropout ? kNoSensor : sample.controllerCelsius));
}

std::set<std::size_t> dropoutsAmong(std::size_t sampleCount, Random& random) {
    std::set<std::size_t> dropouts;
    const int count = random.between(2, 5);
    for (int i = 0; i < count; ++i) {
        dropouts.insert(static_cast<std::size_t>(random.next() % sampleCount));
    }
    return dropouts;
}

std::vector<std::string> sampleReplies(const Session& session, std::size_t sampleCount,
                                       Random& random) {
    std::vector<std::string> replies{record(session.header), record(hex4(kIntervalHundredths))};
    const std::set<std::size_t> dropouts = dropoutsAmong(sampleCount, random);
    double rpm = 0.0;
    for (std::size_t i = 0; i < sampleCount; ++i) {
        const auto time = static_cast<std::uint32_t>(i) * kIntervalHundredths;
        const double progress = static_cast<double>(i) / static_cast<double>(sampleCount);
        const Sample sample = sampleAt(session, time, progress, rpm, random);
        rpm = sample.rpm;
        replies.push_back(record(samplePayload(sample, dropouts.contains(i))));
    }
    return replies;
}

std::vector<unsigned> modelValues(Random& random) {
    std::vector<unsigned> values;
    for (int i = 0; i < 12; ++i) {
        values.push_back(static_cast<unsigned>(random.between(0, 1000)));
    }
    return values;
}

}  // namespace

Scenario generatedSession(std::uint64_t seed) {
    Random random(seed);
    const Session session = sessionShape(random, seed);
    const auto& laps = session.lapHundredths;
    const std::uint32_t recorded = session.startHundredths +
                                   std::accumulate(laps.begin(), laps.end(), 0u) +
                                   session.tailHundredths;
    const std::size_t sampleCount = recorded / kIntervalHundredths;

    Scenario scenario;
    scenario.lapReplies = lapReplies(session, sampleCount);
    scenario.sampleReplies = sampleReplies(session, sampleCount, random);
    scenario.modelReplies = modelRecords(modelValues(random));
    return scenario;
}

}  // namespace ktr90
