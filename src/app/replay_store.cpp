#include "app/replay_store.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool isReplayName(const std::string& name) {
    // YYYY-MM-DD_HH-MM-SS, perhaps _N, then the extension.
    const std::string ext = kReplayExtension;
    if (name.size() < 19 + ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0) return false;
    static const char pattern[] = "dddd-dd-dd_dd-dd-dd";
    for (int i = 0; i < 19; ++i) {
        const char c = name[static_cast<size_t>(i)];
        if (pattern[i] == 'd' ? (c < '0' || c > '9') : c != pattern[i]) return false;
    }
    return true;
}

// Oldest first: by the time in the name, then by the number after it (none
// counts as 1).
bool olderThan(const std::string& a, const std::string& b) {
    const int stamp = a.compare(0, 19, b, 0, 19);
    if (stamp != 0) return stamp < 0;
    auto number = [](const std::string& s) {
        return s[19] == '_' ? std::strtol(s.c_str() + 20, nullptr, 10) : 1L;
    };
    return number(a) < number(b);
}

}  // namespace

std::string replayDirectory() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // The base directory rules ask for an absolute path; a relative one is ignored.
    if (data && data[0] == '/') return std::string(data) + "/hoofbrawl/replays";
    const char* home = std::getenv("HOME");
    if (home && home[0]) return std::string(home) + "/.local/share/hoofbrawl/replays";
    return "";
}

bool makeReplayDirectory(const std::string& dir, std::string& error) {
    if (dir.empty()) {
        error = "no directory for replays: neither XDG_DATA_HOME nor HOME is set";
        return false;
    }
    for (size_t slash = 1;; ++slash) {
        slash = dir.find('/', slash);
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": cannot make the replay directory: " + std::strerror(errno);
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat st{};
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = dir + ": cannot make the replay directory: " + std::strerror(errno ? errno : ENOTDIR);
        return false;
    }
    if (::access(dir.c_str(), W_OK) != 0) {
        error = dir + ": cannot write replays there: " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string newReplayPath(const std::string& dir, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    for (int n = 1;; ++n) {
        const std::string path =
            dir + "/" + stamp + (n == 1 ? std::string() : "_" + std::to_string(n)) + kReplayExtension;
        struct stat st{};
        if (::lstat(path.c_str(), &st) != 0) return path;
    }
}

std::vector<std::string> storedReplays(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (isReplayName(e->d_name)) names.push_back(e->d_name);
        ::closedir(d);
    }
    std::sort(names.begin(), names.end(), olderThan);
    return names;
}

void keepNewestReplays(const std::string& dir, int keep) {
    const std::vector<std::string> names = storedReplays(dir);
    const size_t extra = names.size() > static_cast<size_t>(keep) ? names.size() - static_cast<size_t>(keep) : 0;
    for (size_t i = 0; i < extra; ++i) ::unlink((dir + "/" + names[i]).c_str());
}
