// Any bytes as a replay: read, and when read, its map built and its first
// steps re-run against its digests, then everything released.
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/game_digest.h"
#include "game/replay.h"
#include "game/step.h"
#include "world/world_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ReplayReadResult r = readReplay(std::string(reinterpret_cast<const char*>(data), size));
    if (!r.ok) return 0;
    std::string error;
    if (loadReplayMap(r.replay, error)) {
        // A few hundred steps reach the digest checks; a whole long replay
        // would only cost time.
        ReplayCursor cursor(r.replay);
        size_t digest = 0;
        for (int i = 0; i < 300 && !cursor.atEnd(); ++i) {
            stepPlayingFrame(cursor.next());
            if (digest < r.replay.digests.size() && r.replay.digests[digest].step == cursor.step()) {
                digestGameState();
                ++digest;
            }
        }
    }
    releaseWorld();
    return 0;
}
