#include "audio/sound_recorder.h"

int SoundRecorder::plays(SoundId id) const {
    int n = 0;
    for (size_t i = 0; i < requests.size(); ++i) {
        bool pausedFirst = i > 0 && requests[i - 1].op == SoundRequest::Pause && requests[i - 1].id == id;
        if (requests[i].op == SoundRequest::Play && requests[i].id == id && !pausedFirst) ++n;
    }
    return n;
}

int SoundRecorder::playsWithoutRestart(SoundId id) const {
    int n = 0;
    for (size_t i = 1; i < requests.size(); ++i) {
        if (requests[i].op == SoundRequest::Play && requests[i].id == id &&
            requests[i - 1].op == SoundRequest::Pause && requests[i - 1].id == id)
            ++n;
    }
    return n;
}

int SoundRecorder::stops(SoundId id) const {
    int n = 0;
    for (const auto& r : requests)
        if (r.op == SoundRequest::Stop && r.id == id) ++n;
    return n;
}

std::vector<SoundId> SoundRecorder::played() const {
    std::vector<SoundId> out;
    for (const auto& r : requests)
        if (r.op == SoundRequest::Play) out.push_back(r.id);
    return out;
}
