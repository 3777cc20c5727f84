#include "platform/sleep.h"

#include <errno.h>
#include <time.h>

void sleepMilliseconds(int ms) {
    if (ms <= 0) return;
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

int64_t monotonicNanoseconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

namespace {
void sleepUntilAbsolute(int64_t deadlineNs) {
    const timespec at{static_cast<time_t>(deadlineNs / 1000000000), static_cast<long>(deadlineNs % 1000000000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}
}  // namespace

void sleepUntil(int64_t deadlineNs) {
    // A sleep ends a little after its deadline (timer slack, scheduling). An
    // absolute deadline keeps that lateness from adding up; waking a quarter
    // of a millisecond early and sleeping again for the rest keeps a busy
    // machine's lateness off the deadline itself.
    constexpr int64_t kEarlyNs = 250000;
    if (deadlineNs - monotonicNanoseconds() > kEarlyNs) sleepUntilAbsolute(deadlineNs - kEarlyNs);
    if (monotonicNanoseconds() < deadlineNs) sleepUntilAbsolute(deadlineNs);
}
