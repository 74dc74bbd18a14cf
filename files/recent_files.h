// The six most recently loaded diagrams, as the File menu lists them.
#pragma once

#include <array>
#include <string>

namespace torvex {

class RecentFiles {
public:
    static constexpr int kCount = 6;

    // The path's last component: the file name without its folder.
    static std::string Short(const std::string& path);
    // "&1 " ... "&6 " for entries 1 ... 6.
    static std::string Prefix(int entry);

    // From the settings at start-up: captions "&N " + short name, full paths, and which
    // entries show (those whose caption is more than its prefix).
    void load(const std::array<std::string, kCount>& shortNames,
              const std::array<std::string, kCount>& longNames);

    // A completed load or save: the path moves to the front and the captions are rebuilt;
    // an entry shows as soon as it holds a file.
    void AddFileCaption(const std::string& path);

    // Entry 1 ... 6.
    const std::string& caption(int entry) const { return captions_[entry - 1]; }
    const std::string& path(int entry) const { return paths_[entry - 1]; }
    bool visible(int entry) const { return visible_[entry - 1]; }
    bool anyVisible() const;
    // What the settings keep of entry N: the caption from its 4th character on, at most 100.
    std::string shortName(int entry) const;

private:
    std::array<std::string, kCount> captions_{};
    std::array<std::string, kCount> paths_{};
    std::array<bool, kCount> visible_{};
};

}  // namespace torvex
