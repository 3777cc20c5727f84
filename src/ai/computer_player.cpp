#include "ai/computer_player.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ai/grid_paths.h"
#include "game/actions.h"
#include "game/behaviours.h"
#include "game/cow.h"
#include "game/push_back.h"
#include "game/rules.h"
#include "world/world_grid.h"

namespace {

const ComputerStyle kStyles[3] = {
    // reaction, replan, worse%, home with, raid at, chase carried, chase cells, item cells, hit%, defends, flees
    {16, 30, 45, 3, 0, 6, 8, 0, 40, false, false},  // easy
    {6, 16, 10, 6, 12, 3, 14, 10, 80, true, false}, // normal
    {1, 10, 0, 6, 5, 1, 22, 18, 100, true, true},   // hard
};

// A cell a cow has stood on this long without a reason is a cell it is stuck on.
constexpr int kStuckSteps = 10;
// How long a target it could not reach is left alone.
constexpr int kBanSteps = 600;
// Hard meets a rival coming for it standing once it is this near (cells
// each way): a cow at full pace needs five steps and a cell to stop, and the
// rival comes on meanwhile.
constexpr float kMeetCells = 10.0f;
// A rival closing in at least this fast (cells a step) is coming for it.
constexpr float kComingPace = 0.15f;
// How long it waits for a rival that comes no nearer.
constexpr int kMeetStaleSteps = 12;
// A rival this many steps from getting up is met as one that is up.
constexpr int kRisingSteps = 12;

int chebyshev(int c0, int r0, int c1, int r1) { return std::max(std::abs(c0 - c1), std::abs(r0 - r1)); }
bool walkable(CellPass p) { return p == CellPass::Open || p == CellPass::Water; }

// What it remembers of the rival at one step.
struct Seen {
    float x = 0, y = 0;
    int32_t carried = 0;
    bool stunned = false;
    bool syringe = false;
    float energy = 0;
};

enum class Goal { None, Hay, Home, Raid, Chase, Item, Wander, Unstick };

const char* goalText(Goal g) {
    switch (g) {
    case Goal::Hay: return "hay";
    case Goal::Home: return "home";
    case Goal::Raid: return "raid";
    case Goal::Chase: return "chase";
    case Goal::Item: return "item";
    case Goal::Wander: return "wander";
    case Goal::Unstick: return "unstick";
    default: return "none";
    }
}

struct Target {
    int column = -1, row = -1;
    int32_t cost = kUnreached;
};

}  // namespace

const ComputerStyle& computerStyle(ComputerLevel level) { return kStyles[static_cast<int>(level)]; }

const char* computerLevelName(ComputerLevel level) {
    switch (level) {
    case ComputerLevel::Easy: return "easy";
    case ComputerLevel::Hard: return "hard";
    default: return "normal";
    }
}

bool computerLevelFromDriver(const std::string& driver, ComputerLevel& level) {
    if (driver == "computer" || driver == "computer:normal") level = ComputerLevel::Normal;
    else if (driver == "computer:easy") level = ComputerLevel::Easy;
    else if (driver == "computer:hard") level = ComputerLevel::Hard;
    else return false;
    return true;
}

ComputerRandom::ComputerRandom(uint64_t seed) {
    uint64_t z = seed + 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    state_ = (z ^ (z >> 31)) | 1;
}

uint64_t ComputerRandom::next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545f4914f6cdd1dull;
}

int ComputerRandom::below(int n) { return static_cast<int>((next() >> 33) % static_cast<uint64_t>(n)); }

struct ComputerPlayer::Mind {
    Mind(ComputerLevel l, uint64_t seed) : level(l), style(computerStyle(l)), rng(seed) {}

    ComputerLevel level;
    const ComputerStyle& style;
    ComputerRandom rng;
    int64_t step = 0;

    std::array<Seen, 32> seen{};
    bool seenAny = false;
    int64_t rivalDownSince = -1;  // the step it was first seen knocked over (or knocked again by it)
    int knockedByRival = 0;       // times it was knocked over this game
    bool rivalLeftHome = false;   // a rival that never leaves its home hunts nobody
    bool wasStunned = false;

    Goal goal = Goal::None;
    int goalColumn = -1, goalRow = -1;
    std::vector<int> path;
    size_t pathAt = 0;
    int offPath = 0;
    int64_t nextPlan = 0;
    int64_t deadline = 0;

    int lastColumn = -1, lastRow = -1;
    int sameCell = 0;
    int unstick = 0, unstickDc = 0, unstickDr = 0;
    int attackSteps = 0, restSteps = 0;
    bool standing = false;  // waiting for a rival that comes for it
    float meetBest = 0;  // the nearest that rival has come meanwhile
    int meetStale = 0;   // steps since it came nearer
    int lastCarried = -1;
    bool breaking = false;
    int breakPhase = 0;
    int gateColumn = -1, gateRow = -1;
    std::vector<std::pair<int, int64_t>> banned;  // column * kGridSize + row, until step
    DistanceField field;

    void remember(const Cow& rival) {
        Seen s;
        s.x = rival.x;
        s.y = rival.y;
        s.carried = rival.hayCarried;
        s.stunned = rival.stunned != 0;
        s.syringe = rival.heldEffect != doNothingTouch;
        s.energy = rival.energy;
        if (!seenAny) {
            seen.fill(s);
            seenAny = true;
        }
        seen[static_cast<size_t>(step % seen.size())] = s;
    }
    const Seen& recall() const {
        const int64_t when = std::max<int64_t>(0, step - style.reactionSteps);
        return seen[static_cast<size_t>(when % seen.size())];
    }

    bool isBanned(int column, int row) const {
        for (const auto& b : banned)
            if (b.first == column * kGridSize + row && b.second > step) return true;
        return false;
    }
    void ban(int column, int row) {
        banned.erase(std::remove_if(banned.begin(), banned.end(), [&](const auto& b) { return b.second <= step; }),
                     banned.end());
        banned.push_back({column * kGridSize + row, step + kBanSteps});
    }

    CowInput decide(Cow& me);
    void plan(const Cow& me, const Seen& rival);
    bool goalDone(const Cow& me) const;
    void follow(const Cow& me, const Seen& rival, CowInput& in);
    void steer(const Cow& me, float tx, float ty, CowInput& in) const;
    bool hitLands(const Cow& me, const Seen& rival) const;
    bool wantsHit(const Cow& me, const Seen& rival) const;
    bool hunted(const Cow& me) const;
    bool keepDown(const Cow& me) const;
    void startUnstick(const Cow& me);
    void aim(const Cow& me, const Seen& rival, CowInput& in) const;
    bool meet(const Cow& me, const Seen& rival, CowInput& in);
    // Knocked over and getting up within a few steps.
    bool rising(const Seen& rival) const {
        return rival.stunned && rivalDownSince >= 0 && step - rivalDownSince >= kKnockedOverCount - kRisingSteps;
    }
    void breakGate(const Cow& me, CowInput& in);
};

namespace {
void press(CowInput& in, int dc, int dr) {
    if (dc > 0) in.set(CowAction::Right);
    if (dc < 0) in.set(CowAction::Left);
    if (dr > 0) in.set(CowAction::Down);
    if (dr < 0) in.set(CowAction::Up);
}

bool nearHome(const Cow& home, float x, float y, int cells) {
    return chebyshev(cellOf(x), cellOf(y), home.homeColumn, home.homeRow) <= cells;
}
}  // namespace

void ComputerPlayer::Mind::startUnstick(const Cow& me) {
    const int c = cellOf(me.x), r = cellOf(me.y);
    static const int kDc[8] = {1, -1, 0, 0, 1, 1, -1, -1};
    static const int kDr[8] = {0, 0, 1, -1, 1, -1, 1, -1};
    // Away from the rival when it is what stops it: cows that meet only
    // push each other back.
    const float rx = me.rival->x - me.x, ry = me.rival->y - me.y;
    // Hard keeps away from one it would have to meet.
    const float awayFrom = level == ComputerLevel::Hard ? kMeetCells - 2.0f : 3.0f;
    const bool rivalClose = std::fabs(rx) < awayFrom && std::fabs(ry) < awayFrom;
    int choices[8], n = 0;
    for (int k = 0; k < 8; ++k) {
        if (!walkable(cellPass(me, c + kDc[k], r + kDr[k]))) continue;
        if (rivalClose && kDc[k] * rx + kDr[k] * ry > 0) continue;
        choices[n++] = k;
    }
    const int k = n > 0 ? choices[rng.below(n)] : rng.below(8);
    unstickDc = kDc[k];
    unstickDr = kDr[k];
    unstick = 4 + rng.below(6);
    sameCell = 0;
    goal = Goal::Unstick;
}

bool ComputerPlayer::Mind::hitLands(const Cow& me, const Seen& rival) const {
    if (me.energy < kDashEnergyCost || me.jumping || (me.dirX == 0 && me.dirY == 0)) return false;
    // Where the lunges would carry it: one cell a frame, while the dash lasts.
    const int reach = std::min(5, static_cast<int>(me.energy / kDashEnergyCost));
    for (int k = 1; k <= reach; ++k) {
        const float px = me.x + k * me.dirX, py = me.y + k * me.dirY;
        // A lunge stops at the first solid cell ahead.
        if (!walkable(cellPass(me, cellOf(px + 0.501 * me.dirX), cellOf(py + 0.501 * me.dirY)))) return false;
        if (std::fabs(px - rival.x) < 1.9f && std::fabs(py - rival.y) < 1.9f) return true;
    }
    return false;
}

// Faces the way a dash would land soonest; a walk towards the rival's middle
// often leaves a cow on a diagonal whose lunges pass it by.
void ComputerPlayer::Mind::aim(const Cow& me, const Seen& rival, CowInput& in) const {
    static const int kDc[8] = {1, -1, 0, 0, 1, 1, -1, -1};
    static const int kDr[8] = {0, 0, 1, -1, 1, -1, 1, -1};
    int best = -1, bestK = 99;
    for (int d = 0; d < 8; ++d) {
        for (int k = 1; k <= 5 && k < bestK; ++k) {
            const float px = me.x + k * kDc[d], py = me.y + k * kDr[d];
            if (!walkable(cellPass(me, cellOf(px + 0.501 * kDc[d]), cellOf(py + 0.501 * kDr[d])))) break;
            if (std::fabs(px - rival.x) < 1.6f && std::fabs(py - rival.y) < 1.6f) {
                best = d;
                bestK = k;
            }
        }
    }
    if (best < 0) steer(me, rival.x, rival.y, in);
    else press(in, kDc[best], kDr[best]);
}

// Whether one frame of a lunge from where it stands meets the rival at
// (x, y): the rules' own overlap test, heights included, as a cow on higher
// ground can be reached from below and not reach down.
bool lungeMeets(const Cow& me, float x, float y, float levelX, float levelY) {
    Cow mover = me;
    mover.x = static_cast<float>(me.x + me.dirX);
    mover.y = static_cast<float>(me.y + me.dirY);
    Cow target = *me.rival;
    target.x = x;
    target.y = y;
    // A cow's height is that of the ground it stood on at the end of the
    // last step, (levelX, levelY).
    if (!target.jumping)
        if (const GroundTile* tile = groundAt(cellOf(levelX), cellOf(levelY))) target.baseLevel = tile->standLevel;
    return overlaps(mover, target);
}

// A rival that comes for it is met standing still and facing it: two cows
// that lunge at each other from a few cells are decided by whose first lunge
// frame reaches the other, and a cow still walking carries itself into the
// other's reach. It strikes when one frame of its lunge reaches where the
// rival will be as it moves: what it saw, carried on at the pace it saw it
// moving, one step further for Horace, who moves after Boris in a step. A
// rival about to get up is met the same way. Returns false when the rival
// is not coming for it.
bool ComputerPlayer::Mind::meet(const Cow& me, const Seen& rival, CowInput& in) {
    const int64_t when = std::max<int64_t>(1, step - style.reactionSteps);
    const Seen& before = seen[static_cast<size_t>((when - 1) % seen.size())];
    const bool getsUp = rising(rival);
    if (rival.stunned && !getsUp) return false;
    const float vx = rival.stunned || before.stunned ? 0.0f : std::clamp(rival.x - before.x, -1.0f, 1.0f),
                vy = rival.stunned || before.stunned ? 0.0f : std::clamp(rival.y - before.y, -1.0f, 1.0f);
    const float lag = static_cast<float>(step - when);
    const float px = rival.x + vx * lag, py = rival.y + vy * lag;
    const float dx = px - me.x, dy = py - me.y;
    if (std::fabs(dx) > kMeetCells || std::fabs(dy) > kMeetCells) {
        standing = false;
        return false;
    }
    const bool second = &me == world.cow2;
    const float qx = px + (second ? vx : 0.0f), qy = py + (second ? vy : 0.0f);
    if (restSteps == 0 && me.energy > 0 && !me.jumping && (me.dirX != 0 || me.dirY != 0) &&
        walkable(cellPass(me, cellOf(me.x + 1.501 * me.dirX), cellOf(me.y + 1.501 * me.dirY))) &&
        lungeMeets(me, qx, qy, px, py)) {
        in.set(CowAction::Attack);
        attackSteps = 4;
        standing = false;
        return true;
    }
    // From higher ground a lunge passes over the rival, whose own reaches up:
    // no place to wait for it.
    if (const GroundTile* tile = groundAt(cellOf(px), cellOf(py)))
        if (tile->standLevel + me.rival->height <= me.baseLevel + me.stepClearance) {
            standing = false;
            return false;
        }
    // Coming for it at some pace: a cow pushing against a fence only shakes.
    const float length = std::max(0.001f, std::sqrt(dx * dx + dy * dy));
    const bool closing = getsUp || (vx * dx + vy * dy) / length < -kComingPace;
    if (!closing) {
        standing = false;
        return false;
    }
    // A rival that comes no nearer is held up somewhere: not waited for.
    const float gap = std::max(std::fabs(dx), std::fabs(dy));
    if (!standing || gap < meetBest - 0.2f) {
        meetBest = gap;
        meetStale = 0;
    }
    standing = true;
    if (++meetStale > kMeetStaleSteps) return false;
    const int fx = dx > 0.75f ? 1 : dx < -0.75f ? -1 : 0, fy = dy > 0.75f ? 1 : dy < -0.75f ? -1 : 0;
    // A key held one step turns a cow at once; held while it still walks,
    // it would carry the cow on into the rival's reach.
    if ((fx != 0 || fy != 0) && (fx != static_cast<int>(me.dirX) || fy != static_cast<int>(me.dirY)) && me.speed == 0)
        press(in, fx, fy);
    return true;
}

bool ComputerPlayer::Mind::wantsHit(const Cow& me, const Seen& rival) const {
    if (rival.stunned || me.rival->stunned) return keepDown(me);
    const bool atMyHome = nearHome(me, rival.x, rival.y, 5);
    switch (level) {
    case ComputerLevel::Easy: return rival.carried >= 3 || goal == Goal::Chase;
    case ComputerLevel::Normal:
        return rival.carried > 0 || rival.syringe || atMyHome || goal == Goal::Chase;
    case ComputerLevel::Hard:
        // Knocked over, the rival loses sixty steps: worth the energy unless
        // it is saved for a gate.
        return rival.carried > 0 || rival.syringe || atMyHome || goal == Goal::Chase ||
               (goal != Goal::Raid && me.energy >= 40);
    }
    return false;
}

// A rival that gathers nothing and only comes for it: once it lies knocked
// over, hard knocks it again just before it would get up, and gathers in
// between, since a rival that lands one butt on a cow can keep it down for
// good.
bool ComputerPlayer::Mind::hunted(const Cow& me) const {
    return level == ComputerLevel::Hard &&
           ((rivalLeftHome && me.rival->hayStored == 0 && step >= 120) || knockedByRival >= 2);
}

bool ComputerPlayer::Mind::keepDown(const Cow& me) const {
    return hunted(me) && rivalDownSince >= 0 &&
           step - rivalDownSince >= kKnockedOverCount - 20 - style.reactionSteps && me.energy >= kDashEnergyCost;
}

void ComputerPlayer::Mind::plan(const Cow& me, const Seen& rival) {
    const Cow& rv = *me.rival;
    const int c = cellOf(me.x), r = cellOf(me.y);
    const int rc = cellOf(rival.x), rr = cellOf(rival.y);
    PathCosts costs;
    const bool hunter = hunted(me);
    const bool threat = !rival.stunned && (hunter ? rival.energy > 0 : rival.energy >= kDashEnergyCost);
    // A hunter is given a wide berth, loaded or not: it may lie in wait
    // behind a tree for a cow that passes.
    if (style.fleesWhenLoaded && (me.hayCarried >= 3 || hunter) && threat && chebyshev(c, r, rc, rr) <= 12) {
        costs.avoidColumn = rc;
        costs.avoidRow = rr;
        costs.avoidRadius = 4;
        costs.avoidCost = 40;
    } else {
        // Around the rival rather than into it: two cows that meet head on
        // would only push each other back.
        costs.avoidColumn = rc;
        costs.avoidRow = rr;
        costs.avoidRadius = 1;
        costs.avoidCost = 30;
    }
    field.compute(me, c, r, costs);

    // What lies on the map, nearest first.
    std::vector<Target> hay;
    Target syringe, pill;
    for (int col = 0; col < field.columns(); ++col) {
        for (int row = 0; row < field.rows(); ++row) {
            const WorldObject* object = objectAt(col, row);
            if (!object) continue;
            const bool isHay = object->touch == pickUpHay, isSyringe = object->touch == pickUpSyringe,
                       isPill = object->touch == takeGrowthPill;
            if (!isHay && !isSyringe && !isPill) continue;
            const int32_t d = field.distance(col, row);
            if (d == kUnreached || isBanned(col, row)) continue;
            // Not from under the nose of a hunter that is up: it waits there.
            if (level == ComputerLevel::Hard && hunter && threat && chebyshev(col, row, rc, rr) <= 3) continue;
            if (isHay) {
                // Hard leaves the rival the hay it is plainly nearer to.
                int32_t score = d;
                if (level == ComputerLevel::Hard && chebyshev(col, row, rc, rr) * kStraightCost + 20 < d) score += 60;
                hay.push_back({col, row, score});
            }
            else if (isSyringe && d < syringe.cost) syringe = {col, row, d};
            else if (isPill && d < pill.cost) pill = {col, row, d};
        }
    }
    const size_t keep = std::min<size_t>(hay.size(), 4);
    std::partial_sort(hay.begin(), hay.begin() + static_cast<long>(keep), hay.end(), [](const Target& a, const Target& b) {
        return a.cost != b.cost ? a.cost < b.cost : (a.column != b.column ? a.column < b.column : a.row < b.row);
    });

    const int32_t toHome = field.distance(me.homeColumn, me.homeRow);
    const int32_t toRival = field.distance(rc, rr);
    const int32_t toRaid = field.distance(rv.homeColumn, rv.homeRow);
    const int room = kHayCarryLimit - me.hayCarried;
    const int32_t cells = kStraightCost;
    const int32_t nearestHay = hay.empty() ? kUnreached : hay[0].cost;

    Goal g = Goal::None;
    Target t;
    const bool rivalAtMyHome = style.defendsHome && me.hayStored >= 5 && !rival.stunned &&
                               nearHome(me, rival.x, rival.y, 7) && toRival != kUnreached;
    const bool backToRival = hunted(me) && rivalDownSince >= 0 && step - rivalDownSince >= kKnockedOverCount - 36 &&
                             toRival != kUnreached && toRival <= 24 * cells;
    if (rivalAtMyHome || backToRival) {
        g = Goal::Chase;
    } else if (me.hayCarried > 0 && (room == 0 || me.hayCarried + me.hayStored >= kHayToWin) && toHome != kUnreached) {
        g = Goal::Home;
    } else if (style.chaseCarried > 0 && rival.carried >= style.chaseCarried && room > 0 && !rival.stunned &&
               toRival <= style.chaseCells * cells && me.energy >= 3 * kDashEnergyCost) {
        g = Goal::Chase;
    } else if (me.heldEffect == doNothingTouch && syringe.cost <= style.itemCells * cells) {
        g = Goal::Item;
        t = syringe;
    } else if (me.heldEffect != doNothingTouch && level != ComputerLevel::Easy && !rv.slowed &&
               toRival <= style.chaseCells * cells) {
        g = Goal::Chase;  // a touch is enough to give the rival the syringe
    } else if (!me.grown && pill.cost <= style.itemCells * cells / 2) {
        g = Goal::Item;
        t = pill;
    } else if (me.hayCarried > 0 && hay.empty() && toHome != kUnreached) {
        g = Goal::Home;
    } else if (room >= 3 && toRaid != kUnreached &&
               ((style.raidAtStored > 0 && rv.hayStored >= style.raidAtStored &&
                 toRaid <= std::max<int64_t>(int64_t{nearestHay} * 4, 30 * cells)) ||
                (hay.empty() && rv.hayStored > 0))) {
        g = Goal::Raid;
    } else if (me.hayCarried > 0 &&
               (hay.empty() || (me.hayCarried >= style.homeWithCarried && toHome <= nearestHay))) {
        g = Goal::Home;
    } else if (!hay.empty()) {
        g = Goal::Hay;
        size_t pick = 0;
        if (keep > 1 && rng.below(100) < style.worseGoalPercent) pick = 1 + static_cast<size_t>(rng.below(static_cast<int>(keep) - 1));
        t = hay[pick];
    } else if (me.hayCarried > 0 && toHome != kUnreached) {
        g = Goal::Home;
    } else if (toRival != kUnreached && (rival.carried > 0 || rv.hayStored > 0)) {
        g = Goal::Chase;
    } else {
        g = Goal::Wander;
        for (int tries = 0; tries < 24; ++tries) {
            const int col = rng.below(std::max(1, field.columns())), row = rng.below(std::max(1, field.rows()));
            const int32_t d = field.distance(col, row);
            if (d != kUnreached && d > 4 * cells && walkable(field.passAt(field.index(col, row)))) {
                t = {col, row, d};
                break;
            }
        }
    }

    if (g == Goal::Home) t = {me.homeColumn, me.homeRow, toHome};
    if (g == Goal::Raid) t = {rv.homeColumn, rv.homeRow, toRaid};
    if (g == Goal::Chase) t = {rc, rr, toRival};

    goal = g;
    goalColumn = t.column;
    goalRow = t.row;
    path = t.cost == kUnreached ? std::vector<int>{} : field.pathTo(t.column, t.row);
    pathAt = 0;
    offPath = 0;
    const int interval = g == Goal::Chase ? std::max(5, style.replanSteps / 2) : style.replanSteps;
    nextPlan = step + (path.empty() ? 4 : interval);
    // Two steps a cell at full speed; four allows for water, turns and bumps.
    const int64_t budget = t.cost == kUnreached ? 0 : t.cost / cells * 4 + 80;
    if (g != goal || deadline <= step) deadline = step + budget;
    if (g == Goal::Hay || g == Goal::Item || g == Goal::Wander) deadline = step + budget;
}

bool ComputerPlayer::Mind::goalDone(const Cow& me) const {
    const WorldObject* object = goalColumn >= 0 ? objectAt(goalColumn, goalRow) : nullptr;
    switch (goal) {
    case Goal::None:
    case Goal::Unstick: return true;
    case Goal::Hay: return !object || object->touch != pickUpHay;
    case Goal::Item: return !object || (object->touch != pickUpSyringe && object->touch != takeGrowthPill);
    case Goal::Home: return me.hayCarried == 0;
    case Goal::Raid:
        return me.rival->hayStored == 0 ||
               (inHomeArea(*me.rival, me.x, me.y) && me.hayCarried >= kHayCarryLimit);
    case Goal::Wander: return cellOf(me.x) == goalColumn && cellOf(me.y) == goalRow;
    case Goal::Chase: return me.rival->stunned != 0 && !hunted(me);
    }
    return true;
}

void ComputerPlayer::Mind::steer(const Cow& me, float tx, float ty, CowInput& in) const {
    const float ex = tx - me.x, ey = ty - me.y;
    const float tolerance = 0.15f;
    int sx = ex > tolerance ? 1 : ex < -tolerance ? -1 : 0;
    int sy = ey > tolerance ? 1 : ey < -tolerance ? -1 : 0;
    if (sx != 0 && sy != 0) {
        // The cow looks only at the cell straight ahead: a diagonal whose cell
        // is solid would stop it dead, so it goes along the longer leg first.
        const int pc = cellOf(me.x + 0.501 * sx), pr = cellOf(me.y + 0.501 * sy);
        if (!walkable(cellPass(me, pc, pr))) {
            if (std::fabs(ex) >= std::fabs(ey)) sy = 0;
            else sx = 0;
        }
    }
    press(in, sx, sy);
}

void ComputerPlayer::Mind::follow(const Cow& me, const Seen& rival, CowInput& in) {
    const int c = cellOf(me.x), r = cellOf(me.y);
    if (gateColumn >= 0) {
        if (cellPass(me, gateColumn, gateRow) == CellPass::RivalGate && chebyshev(c, r, gateColumn, gateRow) <= 2) {
            breakGate(me, in);
            return;
        }
        gateColumn = -1;
        breakPhase = 0;
        nextPlan = step;
    }
    if (goal == Goal::Chase && chebyshev(c, r, cellOf(rival.x), cellOf(rival.y)) <= 3) {
        steer(me, rival.x, rival.y, in);
        return;
    }
    if (path.empty()) return;
    const int here = field.inside(c, r) ? field.index(c, r) : -1;
    bool found = false;
    for (size_t k = pathAt; k < path.size() && k < pathAt + 6; ++k) {
        if (path[k] == here) {
            pathAt = k;
            found = true;
            break;
        }
    }
    if (!found && ++offPath > 4) nextPlan = step;
    if (found) offPath = 0;
    if (goal == Goal::Raid && !me.jumping) {
        // A rival on its home cell fills its whole home area: walking in, a
        // cow is pushed back out. Over its back it goes, in one jump.
        const Cow& rv = *me.rival;
        const float hx = rv.homeColumn + 0.5f, hy = rv.homeRow + 0.5f;
        const float ox = std::fabs(rv.x - rv.homeColumn), oy = std::fabs(rv.y - rv.homeRow);
        if (ox < 2.5f && oy < 2.5f && std::fabs(hx - me.x) <= 3.6f && std::fabs(hy - me.y) <= 3.6f &&
            !inHomeArea(rv, me.x, me.y) && gateColumn < 0) {
            steer(me, hx, hy, in);
            if (std::fabs(hx - me.x) >= 2.4f || std::fabs(hy - me.y) >= 2.4f) in.set(CowAction::Jump);
            return;
        }
    }
    if (pathAt + 1 >= path.size()) {
        // On the goal's cell: its middle, where a home's area surely is.
        steer(me, goalColumn + 0.5f, goalRow + 0.5f, in);
        return;
    }
    const int nextCell = path[pathAt + 1];
    const int nc = field.columnOf(nextCell), nr = field.rowOf(nextCell);
    if (cellPass(me, nc, nr) == CellPass::RivalGate && chebyshev(c, r, nc, nr) == 1 && (nc == c || nr == r)) {
        gateColumn = nc;
        gateRow = nr;
        breakPhase = 0;
        breakGate(me, in);
        return;
    }
    steer(me, nc + 0.5f, nr + 0.5f, in);
}

void ComputerPlayer::Mind::breakGate(const Cow& me, CowInput& in) {
    // A headbutt counts only from a cow that did not touch the gate the step
    // before: back off two steps, walk in one, butt; the key is let go
    // between butts so that each starts a new dash.
    breaking = true;
    const int c = cellOf(me.x), r = cellOf(me.y);
    int dc = gateColumn - c, dr = gateRow - r;
    if (dc != 0 && dr != 0) {
        // Off to the side: line up first.
        steer(me, gateColumn + 0.5f + (c > gateColumn ? 1.0f : c < gateColumn ? -1.0f : 0.0f),
              gateRow + 0.5f + (r > gateRow ? 1.0f : r < gateRow ? -1.0f : 0.0f), in);
        return;
    }
    dc = dc > 0 ? 1 : dc < 0 ? -1 : 0;
    dr = dr > 0 ? 1 : dr < 0 ? -1 : 0;
    const int phase = breakPhase++ % 4;
    if (phase < 2) {
        press(in, -dc, -dr);
    } else {
        press(in, dc, dr);
        if (phase == 3 && me.energy >= kDashEnergyCost) in.set(CowAction::Attack);
        else if (phase == 3) breakPhase = 0;
    }
}

CowInput ComputerPlayer::Mind::decide(Cow& me) {
    const Cow& rv = *me.rival;
    remember(rv);
    CowInput in;
    if (me.winner || rv.winner) return in;
    const Seen& rival = recall();
    const int c = cellOf(me.x), r = cellOf(me.y);
    if (c == lastColumn && r == lastRow) {
        ++sameCell;
    } else {
        sameCell = 0;
        lastColumn = c;
        lastRow = r;
    }
    breaking = false;
    if (!inHomeArea(rv, rival.x, rival.y)) rivalLeftHome = true;
    if (rival.stunned && rivalDownSince < 0) rivalDownSince = step;
    if (!rival.stunned) rivalDownSince = -1;
    // Its own butt that lands knocks the rival over anew.
    if (me.attacking && std::fabs(rv.x - me.x) < 2.1f && std::fabs(rv.y - me.y) < 2.1f && rv.stunned)
        rivalDownSince = step;
    if (me.stunned && !wasStunned) ++knockedByRival;
    wasStunned = me.stunned != 0;
    if (me.stunned) {
        sameCell = 0;
        attackSteps = 0;
        return in;
    }
    if (restSteps > 0) --restSteps;
    if (attackSteps > 0) {
        // Keep the lunge going until it lands or spends itself.
        if (rv.stunned || !me.attacking) {
            attackSteps = 0;
            restSteps = 1;
        } else {
            --attackSteps;
            in.set(CowAction::Attack);
            return in;
        }
    }
    if (me.hayCarried != lastCarried) {
        lastCarried = me.hayCarried;
        nextPlan = step;
    }
    if (unstick > 0) {
        --unstick;
        press(in, unstickDc, unstickDr);
        if (unstick == 0) nextPlan = step;
        return in;
    }
    if (step >= deadline && goal != Goal::None && goal != Goal::Chase) {
        if (goal == Goal::Hay || goal == Goal::Item) ban(goalColumn, goalRow);
        nextPlan = step;
    }
    if (step >= nextPlan || goalDone(me)) plan(me, rival);
    // Hard meets a rival able to butt it head on and butts first.
    // A hunter is met farther out, and whatever energy it has left: one
    // frame of a lunge is enough to knock a cow over.
    const bool hunter = hunted(me);
    const float duelRange = hunter ? 7.0f : 4.5f;
    const bool duel = level == ComputerLevel::Hard && !rival.stunned && !rv.stunned &&
                      (hunter ? rival.energy > 0 : rival.energy >= kDashEnergyCost) &&
                      me.energy >= 2 * kDashEnergyCost && std::fabs(rival.x - me.x) <= duelRange &&
                      std::fabs(rival.y - me.y) <= duelRange && gateColumn < 0;
    // Hard meets a rival that is up, or about to be and out of reach of a
    // lunge that would keep it down, standing (see meet).
    const bool meeting = level == ComputerLevel::Hard && hunter &&
                         (!rival.stunned || (rising(rival) && !(keepDown(me) && hitLands(me, rival)))) &&
                         me.energy >= kDashEnergyCost && gateColumn < 0;
    if (!meeting) standing = false;
    if (meeting && meet(me, rival, in)) {
        sameCell = 0;  // standing there is the point
        return in;
    }
    if (duel) aim(me, rival, in);
    else follow(me, rival, in);
    const bool mayStand =
        breaking || (inHomeArea(rv, me.x, me.y) && me.hayCarried < kHayCarryLimit && rv.hayStored > 0);
    if (sameCell > kStuckSteps && !mayStand) {
        startUnstick(me);
        in = CowInput{};
        press(in, unstickDc, unstickDr);
        return in;
    }
    // Against a hunter able to lunge back, hard lunges only when the first
    // frame lands (see meet); a longer lunge is met on its way.
    const bool armed = hunter && !rival.stunned;
    if (!breaking && restSteps == 0 && !(level == ComputerLevel::Hard && armed) &&
        hitLands(me, rival) && (duel || wantsHit(me, rival)) && rng.below(100) < style.hitPercent) {
        in.set(CowAction::Attack);
        attackSteps = 4;
    }
    return in;
}

ComputerPlayer::ComputerPlayer(ComputerLevel level, uint64_t seed) : mind_(std::make_unique<Mind>(level, seed)) {}
ComputerPlayer::~ComputerPlayer() = default;

CowInput ComputerPlayer::next(int cowIndex) {
    Cow* me = cowIndex == kHorace ? world.cow2 : world.cow1;
    Mind& m = *mind_;
    ++m.step;
    if (!me || !me->rival) return {};
    return m.decide(*me);
}

std::string ComputerPlayer::name() const { return std::string("computer:") + computerLevelName(mind_->level); }

const char* ComputerPlayer::goalName() const { return goalText(mind_->goal); }
