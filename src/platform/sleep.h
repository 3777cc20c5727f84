#pragma once

#include <cstdint>

void sleepMilliseconds(int ms);

// Nanoseconds on the monotonic clock (not the wall clock, which may jump).
int64_t monotonicNanoseconds();
// Sleeps until the monotonic clock reaches deadlineNs; returns at once when it
// has passed.
void sleepUntil(int64_t deadlineNs);
