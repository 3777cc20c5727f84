#include "net/match_record.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

std::string saveMatchRecord(const MatchRecord& r, std::string& error) {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = tmp && *tmp ? tmp : "/tmp";
    char name[128];
    std::snprintf(name, sizeof name, "/hoofbrawl-out-of-sync-%ld-%d.txt", static_cast<long>(std::time(nullptr)),
                  static_cast<int>(getpid()));
    const std::string path = dir + name;
    std::FILE* f = std::fopen(path.c_str(), "wx");
    if (!f) {
        error = "cannot create " + path;
        return "";
    }
    // Text, one step a line as two hex records (Boris, Horace), after a
    // header and the map: easy to read in a bug report and to replay.
    std::fprintf(f, "hoofbrawl match inputs 1\nversion %s\nthis side %s\nout of sync at step %lld\nsteps %zu\n",
                 r.gameVersion.c_str(), r.localCow == 0 ? "boris" : "horace",
                 static_cast<long long>(r.outOfSyncAt), r.steps.size());
    std::fprintf(f, "map %zu\n", r.mapText.size());
    std::fwrite(r.mapText.data(), 1, r.mapText.size(), f);
    std::fputs("\ninputs\n", f);
    for (const StepInput& s : r.steps) std::fprintf(f, "%02x %02x\n", s.cow[0].bits, s.cow[1].bits);
    if (std::fclose(f) != 0) {
        error = "cannot write " + path;
        return "";
    }
    return path;
}
