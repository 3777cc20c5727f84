#include "app/app_state.h"

AppState app;

bool IdlePacer::poll(int nowMs) {
    if (firstCall) {
        lastRequestMs = nowMs;
        firstCall = false;
    }
    if (nowMs - lastRequestMs > 50) {
        lastRequestMs = nowMs;
        return true;
    }
    return false;
}

int IdlePacer::msUntilDue(int nowMs) const {
    if (firstCall) return 0;
    int wait = lastRequestMs + 51 - nowMs;
    return wait > 0 ? wait : 0;
}

bool FrameCounter::countFrame(int nowMs, std::FILE* out) {
    if (firstCall) {
        windowStartMs = nowMs;
        count = 0;
        firstCall = false;
    }
    ++count;
    int elapsed = nowMs - windowStartMs;
    if (elapsed > 1000) {
        std::fprintf(out, "%5.1f fps (%i)\n", count / (elapsed * 0.001), count);
        std::fflush(out);
        count = 0;
        windowStartMs = nowMs;
        return true;
    }
    return false;
}
