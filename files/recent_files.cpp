#include "files/recent_files.h"

namespace torvex {

std::string RecentFiles::Short(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RecentFiles::Prefix(int entry) {
    return "&" + std::to_string(entry) + " ";
}

void RecentFiles::load(const std::array<std::string, kCount>& shortNames,
                       const std::array<std::string, kCount>& longNames) {
    for (int i = 0; i < kCount; ++i) {
        captions_[i] = Prefix(i + 1) + shortNames[i];
        visible_[i] = captions_[i] != Prefix(i + 1);
        paths_[i] = longNames[i];
    }
}

void RecentFiles::AddFileCaption(const std::string& path) {
    int p = kCount;  // the lowest entry holding the path, 6 when none of 1 ... 5 does
    for (int n = kCount - 1; n >= 1; --n)
        if (paths_[n - 1] == path) p = n;
    if (p == 1) return;
    for (int n = p; n >= 2; --n) paths_[n - 1] = paths_[n - 2];
    paths_[0] = path;
    for (int i = 0; i < kCount; ++i) {
        captions_[i] = Prefix(i + 1) + Short(paths_[i]);
        visible_[i] = captions_[i] != Prefix(i + 1);
    }
}

bool RecentFiles::anyVisible() const {
    for (bool v : visible_)
        if (v) return true;
    return false;
}

std::string RecentFiles::shortName(int entry) const {
    const std::string& c = caption(entry);
    return c.size() > 3 ? c.substr(3, 100) : std::string();
}

}  // namespace torvex
