#include "game/replay.h"

#include <cerrno>
#include <cstring>
#include <ctime>


#include "game/game_digest.h"
#include "game/step.h"
#include "world/map_packing.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

#ifndef HOOFBRAWL_VERSION
#define HOOFBRAWL_VERSION "0.0.0"
#endif

namespace {

// Record tags. An input run is 0b00BHnnnn: B and H say whether a byte with
// Boris's and Horace's new record follows, nnnn is the run's length in steps
// (1 to 15), or 0 when a number with the length follows the tag.
constexpr unsigned char kRunChangesBoris = 0x20;
constexpr unsigned char kRunChangesHorace = 0x10;
constexpr unsigned char kRunLengthMask = 0x0f;
constexpr unsigned char kTagDigest = 0x40;
constexpr unsigned char kTagEnd = 0x41;

void putU64(std::vector<unsigned char>& out, uint64_t v, int bytes = 8) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// Unsigned, seven bits a byte, low bits first.
void putNumber(std::vector<unsigned char>& out, uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<unsigned char>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<unsigned char>(v));
}

void putText(std::vector<unsigned char>& out, const std::string& s, int lengthBytes) {
    putU64(out, s.size(), lengthBytes);
    out.insert(out.end(), s.begin(), s.end());
}

// The map, deflated: its length, the deflated length, the deflated bytes.
void putMap(std::vector<unsigned char>& out, const std::string& map) {
    const std::vector<uint8_t> packed = packMap(map);
    putU64(out, map.size(), 4);
    putU64(out, packed.size(), 4);
    out.insert(out.end(), packed.begin(), packed.end());
}

std::string shortText(const std::string& s) {
    return s.size() > kReplayMaxNameBytes ? s.substr(0, kReplayMaxNameBytes) : s;
}

// The score: delivered hay, or after a win (which empties both homes) the
// hay the game was won with.
int32_t hayStoredBy(int cow) {
    if (world.cow1 && world.cow2 && (world.cow1->winner || world.cow2->winner)) return hayAtLastWin(cow);
    const Cow* c = cow == kBoris ? world.cow1 : world.cow2;
    return c ? c->hayStored : 0;
}

}  // namespace

const char* gameEndName(GameEnd how) {
    switch (how) {
    case GameEnd::Won: return "won";
    case GameEnd::NewGame: return "new game";
    case GameEnd::Quit: return "quit";
    case GameEnd::WindowClosed: return "window closed";
    case GameEnd::StepLimit: return "step limit";
    case GameEnd::Stopped: return "stopped";
    }
    return "?";
}

bool gameWon() { return world.cow1 && world.cow2 && (world.cow1->winner || world.cow2->winner); }

ReplayInfo replayInfoForCurrentGame(const InputSource& boris, const InputSource& horace, uint64_t seed) {
    ReplayInfo info;
    info.gameVersion = HOOFBRAWL_VERSION;
    info.mapName = loadedMapName();
    info.mapText = loadedMapText();
    info.driver[kBoris] = boris.name();
    info.driver[kHorace] = horace.name();
    info.seed = seed;
    info.startTime = static_cast<int64_t>(std::time(nullptr));
    info.startDigest = digestGameState();
    return info;
}

// --- Writing ------------------------------------------------------------------

ReplayWriter::~ReplayWriter() {
    if (file_) finish(GameEnd::Stopped);
}

bool ReplayWriter::open(const std::string& path, const ReplayInfo& info) {
    if (file_) finish(GameEnd::Stopped);
    path_ = path;
    error_.clear();
    out_.clear();
    last_ = runInput_ = StepInput{};
    runSteps_ = steps_ = sinceFlush_ = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) {
        error_ = path + ": cannot create the replay: " + std::strerror(errno);
        return false;
    }
    out_.insert(out_.end(), kReplayMagic, kReplayMagic + sizeof kReplayMagic);
    putU64(out_, kReplayFormatVersion, 2);
    putText(out_, shortText(info.gameVersion), 1);
    putText(out_, shortText(info.mapName), 1);
    putMap(out_, info.mapText.size() > kReplayMaxMapBytes ? std::string() : info.mapText);
    putText(out_, shortText(info.driver[kBoris]), 1);
    putText(out_, shortText(info.driver[kHorace]), 1);
    putU64(out_, info.seed);
    putU64(out_, static_cast<uint64_t>(info.startTime));
    putU64(out_, info.startDigest);
    flushFile();
    return file_ != nullptr;
}

void ReplayWriter::step(const StepInput& in) {
    if (!file_) return;
    if (runSteps_ > 0 && in != runInput_) flushRun();
    runInput_ = in;
    ++runSteps_;
    ++steps_;
    ++sinceFlush_;
    if (steps_ % kReplayDigestEvery == 0) {
        flushRun();
        out_.push_back(kTagDigest);
        putNumber(out_, static_cast<uint64_t>(steps_));
        putU64(out_, digestGameState());
        flushFile();
    } else if (sinceFlush_ >= kReplayFlushEvery) {
        flushRun();
        flushFile();
    }
}

void ReplayWriter::flushRun() {
    if (runSteps_ == 0) return;
    unsigned char tag = 0;
    if (runInput_.cow[kBoris] != last_.cow[kBoris]) tag |= kRunChangesBoris;
    if (runInput_.cow[kHorace] != last_.cow[kHorace]) tag |= kRunChangesHorace;
    if (runSteps_ <= kRunLengthMask) tag |= static_cast<unsigned char>(runSteps_);
    out_.push_back(tag);
    if (runSteps_ > kRunLengthMask) putNumber(out_, static_cast<uint64_t>(runSteps_));
    if (tag & kRunChangesBoris) out_.push_back(runInput_.cow[kBoris].bits);
    if (tag & kRunChangesHorace) out_.push_back(runInput_.cow[kHorace].bits);
    last_ = runInput_;
    runSteps_ = 0;
}

void ReplayWriter::finish(GameEnd how) {
    if (!file_) return;
    flushRun();
    out_.push_back(kTagEnd);
    out_.push_back(static_cast<unsigned char>(how));
    putNumber(out_, static_cast<uint64_t>(steps_));
    putU64(out_, digestGameState());
    putU64(out_, static_cast<uint32_t>(hayStoredBy(kBoris)), 4);
    putU64(out_, static_cast<uint32_t>(hayStoredBy(kHorace)), 4);
    flushFile();
    if (file_ && std::fclose(file_) != 0) error_ = path_ + ": cannot finish the replay: " + std::strerror(errno);
    file_ = nullptr;
}

void ReplayWriter::flushFile() {
    if (!file_) return;
    sinceFlush_ = 0;
    const bool written = out_.empty() || std::fwrite(out_.data(), 1, out_.size(), file_) == out_.size();
    out_.clear();
    if (!written || std::fflush(file_) != 0) fail(std::strerror(errno));
}

void ReplayWriter::fail(const std::string& what) {
    error_ = path_ + ": cannot write the replay: " + what;
    std::fclose(file_);
    file_ = nullptr;
}

// --- Reading ------------------------------------------------------------------

namespace {

class Bytes {
public:
    explicit Bytes(const std::string& b) : b_(b) {}
    size_t pos() const { return pos_; }
    bool atEnd() const { return pos_ >= b_.size(); }
    bool has(size_t n) const { return b_.size() - pos_ >= n; }
    // Each read is false when the bytes run out; the position then is anywhere.
    bool u8(uint8_t& v) {
        if (!has(1)) return false;
        v = static_cast<uint8_t>(b_[pos_++]);
        return true;
    }
    bool uint(uint64_t& v, int bytes) {
        if (!has(static_cast<size_t>(bytes))) return false;
        v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint64_t(static_cast<uint8_t>(b_[pos_ + i])) << (8 * i);
        pos_ += static_cast<size_t>(bytes);
        return true;
    }
    // A number of up to 63 bits; `tooLong` when it runs on past that.
    bool number(uint64_t& v, bool& tooLong) {
        v = 0;
        tooLong = false;
        for (int shift = 0;; shift += 7) {
            uint8_t byte;
            if (!u8(byte)) return false;
            if (shift > 56 || (shift == 56 && byte > 0x7f)) {
                tooLong = true;
                return true;
            }
            v |= uint64_t(byte & 0x7f) << shift;
            if (!(byte & 0x80)) return true;
        }
    }
    bool text(std::string& s, size_t length) {
        if (!has(length)) return false;
        s.assign(b_, pos_, length);
        pos_ += length;
        return true;
    }

private:
    const std::string& b_;
    size_t pos_ = 0;
};

std::string at(size_t byte) { return " at byte " + std::to_string(byte); }

}  // namespace

ReplayReadResult readReplay(const std::string& bytes) {
    ReplayReadResult r;
    Replay& rp = r.replay;
    auto refuse = [&r](const std::string& why) {
        r.ok = false;
        r.error = why;
        r.replay = Replay{};
        return r;
    };
    if (bytes.size() > kReplayMaxFileBytes)
        return refuse("too large for a replay (more than " + std::to_string(kReplayMaxFileBytes) + " bytes)");
    if (bytes.size() < sizeof kReplayMagic || std::memcmp(bytes.data(), kReplayMagic, sizeof kReplayMagic) != 0)
        return refuse("not a replay (it does not start with HBREPLAY)");

    Bytes in(bytes);
    std::string magic;
    in.text(magic, sizeof kReplayMagic);
    const std::string truncated = "truncated at byte " + std::to_string(bytes.size()) + ", inside the header";
    uint64_t version = 0;
    if (!in.uint(version, 2)) return refuse(truncated);
    if (version != kReplayFormatVersion)
        return refuse("replay format version " + std::to_string(version) + ", which this game does not know (it reads version " +
                      std::to_string(kReplayFormatVersion) + ")");
    ReplayInfo& info = rp.info;
    // A length, then that many bytes: false with `error` set when the
    // length is beyond `most` or the bytes run out.
    std::string error;
    auto text = [&](std::string& into, int lengthBytes, size_t most, const char* what) {
        uint64_t length = 0;
        const size_t where = in.pos();
        if (!in.uint(length, lengthBytes)) {
            error = truncated;
            return false;
        }
        if (length > most) {
            error = std::string(what) + " of " + std::to_string(length) + " bytes" + at(where) + " (at most " +
                    std::to_string(most) + ")";
            return false;
        }
        if (!in.text(into, static_cast<size_t>(length))) {
            error = truncated;
            return false;
        }
        return true;
    };
    auto map = [&](std::string& into) {
        uint64_t length = 0;
        const size_t where = in.pos();
        if (!in.uint(length, 4)) {
            error = truncated;
            return false;
        }
        if (length > kReplayMaxMapBytes) {
            error = "a map of " + std::to_string(length) + " bytes" + at(where) + " (at most " +
                    std::to_string(kReplayMaxMapBytes) + ")";
            return false;
        }
        std::string packed;
        if (!text(packed, 4, kReplayMaxMapBytes, "a packed map")) return false;
        // Anything but a stream of exactly the size the file gives is refused.
        if (!unpackMap(reinterpret_cast<const uint8_t*>(packed.data()), packed.size(), static_cast<size_t>(length),
                       into)) {
            error = "the map at byte " + std::to_string(where) + " is damaged (it does not unpack to " +
                    std::to_string(length) + " bytes)";
            return false;
        }
        return true;
    };
    if (!text(info.gameVersion, 1, kReplayMaxNameBytes, "a version") ||
        !text(info.mapName, 1, kReplayMaxNameBytes, "a map name") ||
        !map(info.mapText) ||
        !text(info.driver[kBoris], 1, kReplayMaxNameBytes, "a driver's name") ||
        !text(info.driver[kHorace], 1, kReplayMaxNameBytes, "a driver's name"))
        return refuse(error);
    uint64_t startTime = 0;
    if (!in.uint(info.seed, 8) || !in.uint(startTime, 8) || !in.uint(info.startDigest, 8)) return refuse(truncated);
    info.startTime = static_cast<int64_t>(startTime);

    StepInput inForce;
    int64_t lastDigestStep = 0;
    bool ended = false;
    while (!in.atEnd()) {
        const size_t start = in.pos();
        uint8_t tag = 0;
        in.u8(tag);
        const bool digestDue = rp.steps > 0 && rp.steps % kReplayDigestEvery == 0 && lastDigestStep != rp.steps;
        bool tooLong = false;
        uint64_t n = 0;
        if (tag < kTagDigest) {
            if (tag & 0xc0) return refuse("unknown record" + at(start));
            if (digestDue) return refuse("no digest after step " + std::to_string(rp.steps) + at(start));
            uint64_t length = tag & kRunLengthMask;
            if (length == 0 && !in.number(length, tooLong)) break;
            if (tooLong || length == 0 || length > static_cast<uint64_t>(kReplayDigestEvery))
                return refuse("a run of steps of impossible length" + at(start));
            if (rp.steps % kReplayDigestEvery + static_cast<int64_t>(length) > kReplayDigestEvery)
                return refuse("a run of steps" + at(start) + " passes step " +
                              std::to_string((rp.steps / kReplayDigestEvery + 1) * kReplayDigestEvery) +
                              " without its digest");
            StepInput next = inForce;
            uint8_t bits = 0;
            if ((tag & kRunChangesBoris) && !in.u8(bits)) break;
            if (tag & kRunChangesBoris) next.cow[kBoris].bits = bits;
            if ((tag & kRunChangesHorace) && !in.u8(bits)) break;
            if (tag & kRunChangesHorace) next.cow[kHorace].bits = bits;
            if ((next.cow[kBoris].bits | next.cow[kHorace].bits) & ~kCowInputMask)
                return refuse("an input record" + at(start) + " holds controls the game does not have");
            inForce = next;
            rp.runs.push_back({static_cast<uint32_t>(length), next});
            rp.steps += static_cast<int64_t>(length);
        } else if (tag == kTagDigest) {
            uint64_t digest = 0;
            if (!in.number(n, tooLong)) break;
            if (!in.uint(digest, 8)) break;
            if (tooLong || !digestDue || static_cast<int64_t>(n) != rp.steps)
                return refuse("a digest" + at(start) + " for step " + std::to_string(n) + " where none belongs (after " +
                              std::to_string(rp.steps) + " steps)");
            rp.digests.push_back({rp.steps, digest});
            lastDigestStep = rp.steps;
        } else if (tag == kTagEnd) {
            uint8_t how = 0;
            uint64_t digest = 0, boris = 0, horace = 0;
            if (!in.u8(how) || !in.number(n, tooLong) || !in.uint(digest, 8) || !in.uint(boris, 4) ||
                !in.uint(horace, 4))
                break;
            if (how < static_cast<uint8_t>(GameEnd::Won) || how > static_cast<uint8_t>(GameEnd::Stopped))
                return refuse("an end record" + at(start) + " with an unknown way of ending (" + std::to_string(how) + ")");
            if (digestDue) return refuse("no digest after step " + std::to_string(rp.steps) + at(start));
            if (tooLong || static_cast<int64_t>(n) != rp.steps)
                return refuse("the end record" + at(start) + " counts " + std::to_string(n) + " steps, the file holds " +
                              std::to_string(rp.steps));
            rp.ending.how = static_cast<GameEnd>(how);
            rp.ending.digest = digest;
            rp.ending.hayStored[kBoris] = static_cast<int32_t>(static_cast<uint32_t>(boris));
            rp.ending.hayStored[kHorace] = static_cast<int32_t>(static_cast<uint32_t>(horace));
            ended = true;
            if (!in.atEnd())
                return refuse(std::to_string(bytes.size() - in.pos()) + " bytes after the end record" + at(in.pos()));
            break;
        } else {
            return refuse("unknown record" + at(start));
        }
    }
    rp.finished = ended;
    // A record the bytes ran out in is dropped whole: the replay holds
    // the steps before it.
    if (!ended) rp.cutAt = bytes.size();
    r.ok = true;
    return r;
}

ReplayReadResult readReplayFile(const std::string& path) {
    ReplayReadResult r;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        r.error = std::string("cannot open it: ") + std::strerror(errno);
        return r;
    }
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > kReplayMaxFileBytes) break;
    }
    const bool failed = std::ferror(f);
    const int err = errno;
    std::fclose(f);
    if (failed) {
        r.error = std::string("cannot read it: ") + std::strerror(err);
        return r;
    }
    return readReplay(bytes);
}

// --- Playing back ---------------------------------------------------------------

StepInput ReplayCursor::next() {
    while (run_ < replay_.runs.size() && inRun_ >= replay_.runs[run_].steps) {
        ++run_;
        inRun_ = 0;
    }
    if (run_ >= replay_.runs.size()) {
        current_ = StepInput{};
        return current_;
    }
    ++inRun_;
    ++step_;
    current_ = replay_.runs[run_].input;
    return current_;
}

CowInput ReplayInput::next(int cowIndex) {
    if (cowIndex == kBoris) cursor_->next();
    return cursor_->current().cow[cowIndex == kHorace ? kHorace : kBoris];
}

bool loadReplayMap(const Replay& replay, std::string& error) {
    const MapLoadResult m = readMapFromBytes(replay.info.mapText, replay.info.mapName);
    if (!m.ok) error = "the map it holds is refused: " + m.message;
    return m.ok;
}

ReplayCheck checkReplay(const Replay& replay) {
    ReplayCheck r;
    if (!loadReplayMap(replay, r.error)) return r;
    clearLastStepInput();
    auto differs = [&r](int64_t step) {
        r.outcome = ReplayCheck::Differs;
        r.differsAt = step;
        return r;
    };
    if (digestGameState() != replay.info.startDigest) return differs(0);
    ReplayCursor cursor(replay);
    size_t nextDigest = 0;
    while (!cursor.atEnd()) {
        stepPlayingFrame(cursor.next());
        ++r.steps;
        if (nextDigest < replay.digests.size() && replay.digests[nextDigest].step == r.steps) {
            if (digestGameState() != replay.digests[nextDigest].digest) return differs(r.steps);
            ++nextDigest;
        }
    }
    r.hayStored[kBoris] = hayStoredBy(kBoris);
    r.hayStored[kHorace] = hayStoredBy(kHorace);
    if (replay.finished && (digestGameState() != replay.ending.digest ||
                            r.hayStored[kBoris] != replay.ending.hayStored[kBoris] ||
                            r.hayStored[kHorace] != replay.ending.hayStored[kHorace]))
        return differs(r.steps);
    r.outcome = ReplayCheck::Verified;
    return r;
}

int checkReplayCommand(const std::string& path, std::FILE* out, std::FILE* err) {
    const ReplayReadResult read = readReplayFile(path);
    if (!read.ok) {
        std::fprintf(err, "%s: %s\n", path.c_str(), read.error.c_str());
        return 2;
    }
    const Replay& replay = read.replay;
    const ReplayCheck check = checkReplay(replay);
    releaseWorld();
    switch (check.outcome) {
    case ReplayCheck::Unusable:
        std::fprintf(err, "%s: %s\n", path.c_str(), check.error.c_str());
        return 2;
    case ReplayCheck::Differs:
        std::fprintf(out, "%s: differs from the recorded game at step %lld\n", path.c_str(),
                     static_cast<long long>(check.differsAt));
        return 1;
    case ReplayCheck::Verified:
        break;
    }
    const std::string score = "Boris " + std::to_string(check.hayStored[kBoris]) + " - Horace " +
                              std::to_string(check.hayStored[kHorace]);
    if (!replay.finished) {
        std::fprintf(err, "%s: cut short at byte %llu (no end record); its %lld steps, %s, verified as far as they go\n",
                     path.c_str(), static_cast<unsigned long long>(replay.cutAt), static_cast<long long>(check.steps),
                     score.c_str());
        return 2;
    }
    std::fprintf(out, "%s: %lld steps, %s, verified\n", path.c_str(), static_cast<long long>(check.steps), score.c_str());
    return 0;
}
