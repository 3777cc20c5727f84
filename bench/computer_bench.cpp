// What the computer player costs and how its levels fare, without a screen:
//
//   cd build/data && ../bench/computer_bench [MAP] [GAMES]   (defaults: the shipped map, 40)
//
// 1. a computer player's decision: microseconds of processor time per step,
//    mean and 99th percentile, over whole hard-against-hard and normal-against-normal games;
// 2. whole headless matches between two computer players: steps a second;
// 3. level against level over 20 games, the cows swapped every other game,
//    and hard against the scripted chaser of the unit test over 20 and 200 games;
// 4. normal against normal over GAMES games: wins per cow.
//
// Each figure is also printed on a line "bench NAME VALUE", the form the other benchmarks use.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "app/headless.h"
#include "game/step.h"
#include "world/map_reader.h"
#include "world/world_grid.h"
#include "../tests/unit/scripted_chaser.h"

namespace {

using Clock = std::chrono::steady_clock;
std::string benchMap = kMapFile;

void loadMap() {
    MapLoadResult r = readMapFile(benchMap);
    if (!r.ok) {
        std::fprintf(stderr, "%s\n", r.message.c_str());
        std::exit(1);
    }
    clearLastStepInput();
}

// Times every decision of both players.
class Timed : public InputSource {
public:
    Timed(InputSource& inner, std::vector<double>& us) : inner_(inner), us_(us) {}
    // The thread's own processor time: on a shared machine the wall clock
    // also counts the time other programs had the core.
    CowInput next(int cow) override {
        const double t0 = threadMicroseconds();
        CowInput in = inner_.next(cow);
        us_.push_back(threadMicroseconds() - t0);
        return in;
    }
    static double threadMicroseconds() {
        timespec t;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
    }
    std::string name() const override { return inner_.name(); }

private:
    InputSource& inner_;
    std::vector<double>& us_;
};

int winsOf(ComputerLevel a, ComputerLevel b, int games, int& steps) {
    int wins = 0;
    for (int g = 0; g < games; ++g) {
        loadMap();
        const bool aIsBoris = g % 2 == 0;
        ComputerPlayer pa(a, 1000 + g), pb(b, 2000 + g);
        MatchResult r = aIsBoris ? playMatch(pa, pb, 23520) : playMatch(pb, pa, 23520);
        steps += static_cast<int>(r.steps);
        if (r.winner == (aIsBoris ? kBoris : kHorace)) ++wins;
        // LIST=1 in the environment lists every game.
        if (std::getenv("LIST")) std::printf("game %d %s a=%s winner=%d steps=%lld B=%d H=%d\n", g, computerLevelName(a), aIsBoris ? "boris" : "horace", r.winner, (long long)r.steps, r.stored[0], r.stored[1]);
    }
    return wins;
}

// The unit test's games against the scripted chaser, and more of them.
int hardWinsAgainstChaser(int games, int& stalled) {
    int wins = 0;
    stalled = 0;
    for (int g = 0; g < games; ++g) {
        loadMap();
        ComputerPlayer hard(ComputerLevel::Hard, 500 + g);
        ScriptedChaser chaser(static_cast<uint64_t>(g) * 7);
        const bool hardIsBoris = g % 2 == 0;
        MatchResult r = hardIsBoris ? playMatch(hard, chaser, 23520) : playMatch(chaser, hard, 23520);
        if (r.winner == (hardIsBoris ? kBoris : kHorace)) ++wins;
        if (r.winner < 0) ++stalled;
    }
    return wins;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) benchMap = argv[1];
    const int games = argc > 2 ? std::max(2, std::atoi(argv[2])) : 40;
    loadMap();  // a map it cannot read is reported before standard error is shut
    std::freopen("/dev/null", "w", stderr);  // nothing to hear

    std::vector<double> us;
    int64_t timedSteps = 0;
    for (int g = 0; g < 10; ++g) {
        loadMap();
        const ComputerLevel level = g % 2 ? ComputerLevel::Normal : ComputerLevel::Hard;
        ComputerPlayer a(level, 11 + g), b(level, 77 + g);
        Timed ta(a, us), tb(b, us);
        timedSteps += playMatch(ta, tb, 23520).steps;
    }
    std::sort(us.begin(), us.end());
    double sum = 0;
    for (double v : us) sum += v;
    const double mean = sum / static_cast<double>(us.size());
    const double p99 = us[us.size() * 99 / 100];
    std::printf("decision: %zu decisions over %lld steps: mean %.2f us, 99th percentile %.2f us, worst %.1f us\n",
                us.size(), static_cast<long long>(timedSteps), mean, p99, us.back());
    std::printf("bench decision_mean_us %.3f\nbench decision_p99_us %.3f\n", mean, p99);

    int64_t steps = 0;
    const double cpu0 = Timed::threadMicroseconds();
    const auto t0 = Clock::now();
    for (int g = 0; g < 10; ++g) {
        loadMap();
        ComputerPlayer a(ComputerLevel::Hard, 300 + g), b(ComputerLevel::Normal, 400 + g);
        steps += playMatch(a, b, 23520).steps;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpuSeconds = (Timed::threadMicroseconds() - cpu0) / 1e6;
    std::printf("headless: %lld steps in %.3f s: %.0f steps a second (%.0f a second of processor time)\n",
                static_cast<long long>(steps), seconds, static_cast<double>(steps) / seconds,
                static_cast<double>(steps) / cpuSeconds);
    std::printf("bench headless_steps_per_second %.0f\nbench headless_steps_per_cpu_second %.0f\n",
                static_cast<double>(steps) / seconds, static_cast<double>(steps) / cpuSeconds);

    struct Pair {
        ComputerLevel a, b;
    } pairs[] = {{ComputerLevel::Hard, ComputerLevel::Easy},
                 {ComputerLevel::Hard, ComputerLevel::Normal},
                 {ComputerLevel::Normal, ComputerLevel::Easy}};
    for (const Pair& p : pairs) {
        int s = 0;
        const int w = winsOf(p.a, p.b, 20, s);
        std::printf("%s beats %s in %d of 20 (mean %d steps a game)\n", computerLevelName(p.a),
                    computerLevelName(p.b), w, s / 20);
    }

    {
        int stalled = 0;
        const int wins = hardWinsAgainstChaser(20, stalled);
        std::printf("hard beats a straight-line chaser in %d of 20 (%d undecided at 23520 steps)\n", wins, stalled);
        std::printf("bench hard_vs_chaser_wins %d\n", wins);
        // Ten times as many games, for the figure the test's twenty sample.
        const int more = hardWinsAgainstChaser(200, stalled);
        std::printf("hard beats the chaser in %d of 200\nbench hard_vs_chaser_wins_of_200 %d\n", more, more);
    }

    int borisWins = 0, horaceWins = 0, none = 0;
    for (int g = 0; g < games; ++g) {
        loadMap();
        ComputerPlayer a(ComputerLevel::Normal, 5000 + g), b(ComputerLevel::Normal, 6000 + g);
        MatchResult r = playMatch(a, b, 23520);
        if (r.winner == kBoris) ++borisWins;
        else if (r.winner == kHorace) ++horaceWins;
        else ++none;
    }
    std::printf("normal against normal, %d games: Boris %d, Horace %d, none %d\n", games, borisWins, horaceWins,
                none);
    std::printf("bench normal_boris_wins %d\nbench normal_horace_wins %d\n", borisWins, horaceWins);
    releaseWorld();
    return 0;
}
