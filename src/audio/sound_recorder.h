// Records sound requests instead of playing them, so headless runs can check
// what the game asked for and in which order.
#pragma once

#include <string>
#include <vector>

#include "audio/sounds.h"

struct SoundRequest {
    enum Op { Play, Pause, Stop } op;
    SoundId id;
    bool operator==(const SoundRequest& o) const { return op == o.op && id == o.id; }
};

class SoundRecorder : public SoundSink {
public:
    std::vector<SoundRequest> requests;
    void play(SoundId id) override { requests.push_back({SoundRequest::Play, id}); }
    void pause(SoundId id) override { requests.push_back({SoundRequest::Pause, id}); }
    void stop(SoundId id) override { requests.push_back({SoundRequest::Stop, id}); }
    void pauseAll() override { ++pausesAll; }
    void resumeAll() override { ++resumesAll; }
    void setGain(float g) override { gain = g; }
    int pausesAll = 0;
    int resumesAll = 0;
    float gain = 1.0f;
    void clear() { requests.clear(); }
    // How many plain play requests (not preceded by a pause) reached this source.
    int plays(SoundId id) const;
    // How many pause-then-play pairs reached this source.
    int playsWithoutRestart(SoundId id) const;
    int stops(SoundId id) const;
    // Sources in the order they were played, one entry per play request.
    std::vector<SoundId> played() const;
};
