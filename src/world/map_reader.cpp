#include "world/map_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/cow.h"
#include "game/object_kinds.h"
#include "world/ground_kinds.h"
#include "world/world_grid.h"

namespace {

// Text-mode reading: a "\r\n" pair reads as one "\n"; a lone "\r" stays.
class MapChars {
public:
    explicit MapChars(const std::string& bytes) : bytes_(bytes) {}
    int next() {
        if (pos_ >= bytes_.size()) return EOF;
        unsigned char c = static_cast<unsigned char>(bytes_[pos_++]);
        if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') {
            ++pos_;
            return '\n';
        }
        return c;
    }

private:
    const std::string& bytes_;
    size_t pos_ = 0;
};

MapLoadResult fail(const std::string& message) {
    releaseWorld();
    return {false, message};
}

}  // namespace

void setupPass() {
    for (int column = 0; column < world.mapWidth; ++column) {
        for (int row = 0; row < world.mapHeight; ++row) {
            WorldObject* object = objectAt(column, row);
            if (object) object->setup(static_cast<int>(object->x), static_cast<int>(object->y));
        }
    }
}

namespace {
// The bytes of the map in play, for a replay to carry it.
std::string loadedText, loadedName;
}  // namespace

MapLoadResult readMapFromBytes(const std::string& bytes, const std::string& fileName) {
    releaseWorld();
    loadedText.clear();
    loadedName.clear();
    world.mapWidth = 0;
    world.mapHeight = 0;
    MapChars in(bytes);
    int column = 0;
    int row = 0;
    int cow1Line = 0;
    int cow2Line = 0;
    for (int c = in.next(); c != EOF; c = in.next()) {
        if (row >= kGridSize)
            return fail(fileName + ": more than " + std::to_string(kGridSize) + " lines (the limit is " +
                        std::to_string(kGridSize) + " lines)");
        if (c == '\n') {
            ++row;
            world.mapWidth = column;
            column = 0;
        } else {
            if (column >= kGridSize)
                return fail(fileName + ": line " + std::to_string(row + 1) + " has more than " +
                            std::to_string(kGridSize) + " cells (the limit is " +
                            std::to_string(kGridSize) + " cells of two characters)");
            if (column + 1 > world.usedColumns) world.usedColumns = column + 1;
            if (row + 1 > world.usedRows) world.usedRows = row + 1;
            int i = cellIndex(column, row);
            world.groundGrid[i] = makeGroundTile(static_cast<char>(c), column, row);
            int objectChar = in.next();  // whatever follows, even "\n" or the end
            char kind = static_cast<char>(objectChar);
            if (kind == ' ' || kind == '1' || kind == '2') {
                world.objectGrid[i] = nullptr;
            } else {
                world.objectGrid[i] = makeObject(kind, column, row);
            }
            if (kind == '1' || kind == '2') {
                int& seenOn = kind == '1' ? cow1Line : cow2Line;
                if (seenOn)
                    return fail(fileName + ": cow '" + kind + "' is placed twice (lines " +
                                std::to_string(seenOn) + " and " + std::to_string(row + 1) +
                                "); a map places exactly one '1' and one '2'");
                seenOn = row + 1;
                Cow* cow = makeCow(kind, column, row);
                cow->homeColumn = column;
                cow->homeRow = row;
                (kind == '1' ? world.cow1 : world.cow2) = cow;
            }
            ++column;
            if (objectChar == EOF) break;
        }
        world.mapHeight = row;
    }
    if (!world.cow1 || !world.cow2) {
        const char* missing = !world.cow1 && !world.cow2 ? "no cow '1' and no cow '2'"
                              : !world.cow1               ? "no cow '1'"
                                                          : "no cow '2'";
        return fail(fileName + ": " + missing + "; a map places exactly one '1' and one '2'");
    }
    // The width comes from the last line ended by a line feed and the height
    // counts the line feeds, so one stray empty line at the end, or a missing
    // final line feed, leaves a map with no cells to play on.
    if (world.mapHeight == 0)
        return fail(fileName + ": line 1 does not end with a line feed, so the map has no complete line "
                               "(0 x 0 cells); end every line, the last one too, with a line feed");
    if (world.mapWidth == 0)
        return fail(fileName + ": line " + std::to_string(world.mapHeight) +
                    " is empty; the width of a map is taken from its last line, so this one would be "
                    "0 cells wide: remove the empty line " + std::to_string(world.mapHeight));
    setupPass();
    world.cow1->rival = world.cow2;
    world.cow2->rival = world.cow1;
    loadedText = bytes;
    loadedName = fileName;
    return {true, ""};
}

const std::string& loadedMapText() { return loadedText; }
const std::string& loadedMapName() { return loadedName; }

MapLoadResult readMapFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        releaseWorld();
        world.mapWidth = world.mapHeight = 0;
        return {false, path + ": cannot open the map: " + std::strerror(errno)};
    }
    std::string bytes;
    char buffer[65536];
    size_t n;
    // A map holds at most 256 lines of 512 characters; anything far larger
    // cannot be a valid map and is not read whole.
    const size_t cap = 4u << 20;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0 && bytes.size() <= cap) bytes.append(buffer, n);
    bool readError = std::ferror(f);
    int err = errno;
    std::fclose(f);
    if (readError) {
        releaseWorld();
        world.mapWidth = world.mapHeight = 0;
        return {false, path + ": cannot read the map: " + std::strerror(err)};
    }
    return readMapFromBytes(bytes, path);
}

namespace {
std::string currentMap = kMapFile;
}

void setMapPath(const std::string& path) { currentMap = path.empty() ? kMapFile : path; }
const std::string& mapPath() { return currentMap; }

void readMap() {
    MapLoadResult r = readMapFile(currentMap);
    if (!r.ok) {
        std::fprintf(stderr, "%s\n", r.message.c_str());
        std::exit(1);
    }
}
