#include "app/match_record.h"

#include <ctime>

#include "app/replay_store.h"
#include "audio/sounds.h"
#include "game/replay.h"
#include "game/step.h"
#include "net/lockstep.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

std::string saveMatchRecord(const MatchRecord& r, std::string& error) {
    const std::string dir = replayDirectory();
    if (dir.empty()) {
        error = "neither XDG_DATA_HOME nor HOME says where replays go";
        return "";
    }
    if (!makeReplayDirectory(dir, error)) return "";
    // The same steps on the same map give this machine's game again; its
    // sounds were heard already (no sink, no sound).
    SoundSink* heard = soundSink();
    setSoundSink(nullptr);
    releaseWorld();
    clearLastStepInput();
    const MapLoadResult loaded = readMapFromBytes(r.mapText, "the host's map");
    std::string path;
    if (!loaded.ok) {
        error = loaded.message;
    } else {
        NamedInput local("keys"), remote("network");
        const InputSource& boris = r.localCow == kBoris ? static_cast<InputSource&>(local) : remote;
        const InputSource& horace = r.localCow == kBoris ? static_cast<InputSource&>(remote) : local;
        ReplayWriter writer;
        const std::string wanted = newReplayPath(dir, std::time(nullptr));
        if (!writer.open(wanted, replayInfoForCurrentGame(boris, horace, 0))) {
            error = writer.error();
        } else {
            for (const StepInput& in : r.steps) {
                stepPlayingFrame(in);
                writer.step(in);
            }
            writer.finish(GameEnd::Stopped);
            if (writer.error().empty()) path = wanted;
            else error = writer.error();
        }
    }
    setSoundSink(heard);
    return path;
}

std::string saveMatchRecord(const LockstepSession& session, std::string& error) {
    MatchRecord record;
    record.mapText = session.mapText();
    record.localCow = session.localCow();
    record.outOfSyncAt = session.stepsRun();
    record.steps = session.history();
    return saveMatchRecord(record, error);
}
