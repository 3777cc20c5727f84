#include "platform/sleep.h"

#include <time.h>

void sleepMilliseconds(int ms) {
    if (ms <= 0) return;
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}
