#include "platform/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

const char* const kDataMarker = "_maps/Map02.map";

DataDirChoice chooseDataDir(const DataDirPlaces& places,
                            const std::function<bool(const std::string& dir)>& holdsMarker) {
    DataDirChoice choice;
    struct Place {
        const std::string& dir;
        const char* what;
    };
    const Place order[] = {{places.current, "the current directory "},
                           {places.installed, ""},
                           {places.besideExe, ""}};
    std::vector<std::string> looked;
    for (const Place& p : order) {
        if (p.dir.empty()) continue;
        if (holdsMarker(p.dir)) {
            choice.dir = p.dir;
            choice.isCurrent = &p.dir == &places.current;
            return choice;
        }
        looked.push_back(std::string(p.what) + p.dir);
    }
    std::string where;
    for (size_t i = 0; i < looked.size(); ++i) {
        if (i > 0) where += i + 1 == looked.size() ? " or " : ", ";
        where += looked[i];
    }
    if (where.empty()) where = "nowhere";
    choice.message = std::string("Hoofbrawl: cannot find its data (") + kDataMarker + ") in " + where +
                     "; start it with ./scripts/play.sh in its source tree, with ./build/hoofbrawl "
                     "after a build, or as hoofbrawl once installed";
    return choice;
}

namespace {

std::string currentDirectory() {
    char buf[PATH_MAX];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

std::string dataBesideExecutable() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string exe(buf, size_t(n));
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return {};
    return exe.substr(0, slash + 1) + "data";
}

// A map that is there but cannot be read (even a dangling link) still claims
// the directory: the map reader then says why it cannot be read, which tells a
// player more than quietly starting on some other directory's files.
bool holdsMarkerOnDisk(const std::string& dir) {
    struct stat st;
    return lstat((dir + "/" + kDataMarker).c_str(), &st) == 0;
}

}  // namespace

DataDirPlaces dataDirPlacesHere() {
    DataDirPlaces places;
    places.current = currentDirectory();
#ifdef HOOFBRAWL_INSTALLED_DATA_DIR
    places.installed = HOOFBRAWL_INSTALLED_DATA_DIR;
#endif
    places.besideExe = dataBesideExecutable();
    return places;
}

void enterDataDirOrExit() {
    DataDirChoice choice = chooseDataDir(dataDirPlacesHere(), holdsMarkerOnDisk);
    if (choice.dir.empty()) {
        std::fprintf(stderr, "%s\n", choice.message.c_str());
        std::exit(1);
    }
    if (!choice.isCurrent && chdir(choice.dir.c_str()) != 0) {
        std::fprintf(stderr, "Hoofbrawl: cannot change into its data directory %s\n", choice.dir.c_str());
        std::exit(1);
    }
}
