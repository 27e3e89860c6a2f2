#include "serial/clock.h"

#include <chrono>
#include <thread>

namespace {

class SystemClock final : public Clock {
public:
    std::int64_t monotonicMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void sleepMs(int milliseconds) override {
        if (milliseconds > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        }
    }
};

}  // namespace

Clock& systemClock() {
    static SystemClock clock;
    return clock;
}
