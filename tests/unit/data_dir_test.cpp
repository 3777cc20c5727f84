// The choice of the data directory at start-up: the first place holding the
// map wins, in a fixed order, and a miss everywhere says where it looked.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/data_dir.h"

namespace {

const DataDirPlaces kPlaces{"/home/p/src", "/usr/local/share/hoofbrawl/data", "/home/p/src/build/data"};

struct Disk {
    explicit Disk(std::set<std::string> places = {}) : withMap(std::move(places)) {}
    std::set<std::string> withMap;
    std::vector<std::string> asked;
    DataDirChoice choose(const DataDirPlaces& places = kPlaces) {
        return chooseDataDir(places, [this](const std::string& dir) {
            asked.push_back(dir);
            return withMap.count(dir) > 0;
        });
    }
};

TEST(DataDir, TheFirstPlaceHoldingTheMapWinsInOrder) {
    {
        Disk disk{{kPlaces.current, kPlaces.installed, kPlaces.besideExe}};
        DataDirChoice c = disk.choose();
        EXPECT_EQ(c.dir, kPlaces.current);
        EXPECT_TRUE(c.isCurrent);
        EXPECT_EQ(disk.asked, std::vector<std::string>{kPlaces.current});
    }
    {
        Disk disk{{kPlaces.installed, kPlaces.besideExe}};
        DataDirChoice c = disk.choose();
        EXPECT_EQ(c.dir, kPlaces.installed);
        EXPECT_FALSE(c.isCurrent);
    }
    {
        // A build started from the repository root: only build/data holds it.
        Disk disk{{kPlaces.besideExe}};
        DataDirChoice c = disk.choose();
        EXPECT_EQ(c.dir, kPlaces.besideExe);
        EXPECT_FALSE(c.isCurrent);
        EXPECT_TRUE(c.message.empty());
        EXPECT_EQ(disk.asked.size(), 3u);
    }
}

TEST(DataDir, PlacesNotKnownAreNotAskedAbout) {
    // Started from inside the installed data directory: the same path twice is
    // still the current directory, which needs no change of directory.
    Disk disk{{kPlaces.installed}};
    DataDirChoice c = disk.choose({kPlaces.installed, kPlaces.installed, ""});
    EXPECT_TRUE(c.isCurrent);

    Disk none;
    c = none.choose({"/tmp/x", "", ""});
    EXPECT_EQ(none.asked, std::vector<std::string>{"/tmp/x"});
    EXPECT_TRUE(c.dir.empty());
}

TEST(DataDir, AMissEverywhereIsOneLineNamingEveryPlaceAndHowToStart) {
    Disk disk;
    DataDirChoice c = disk.choose();
    ASSERT_TRUE(c.dir.empty());
    EXPECT_EQ(c.message.find('\n'), std::string::npos);
    EXPECT_EQ(c.message,
              "Hoofbrawl: cannot find its data (_maps/Map02.map) in the current directory /home/p/src, "
              "/usr/local/share/hoofbrawl/data or /home/p/src/build/data; start it with ./scripts/play.sh "
              "in its source tree, with ./build/hoofbrawl after a build, or as hoofbrawl once installed");

    c = disk.choose({"/x", "", "/y/data"});
    EXPECT_NE(c.message.find("in the current directory /x or /y/data;"), std::string::npos) << c.message;
}

}  // namespace
