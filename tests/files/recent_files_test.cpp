// The recent-file list of the File menu.

#include <gtest/gtest.h>

#include "files/recent_files.h"

namespace torvex::test {
namespace {

std::array<std::string, 6> Paths(std::initializer_list<const char*> paths) {
    std::array<std::string, 6> out{};
    size_t i = 0;
    for (const char* p : paths) out[i++] = p;
    return out;
}

std::array<std::string, 6> Shorts(const std::array<std::string, 6>& paths) {
    std::array<std::string, 6> out{};
    for (size_t i = 0; i < 6; ++i) out[i] = RecentFiles::Short(paths[i]);
    return out;
}

TEST(RecentFiles, AFirstStartShowsNoEntry) {
    RecentFiles recent;
    recent.load({}, {});
    for (int n = 1; n <= 6; ++n) {
        EXPECT_FALSE(recent.visible(n));
        EXPECT_EQ(recent.caption(n), RecentFiles::Prefix(n));
    }
    EXPECT_FALSE(recent.anyVisible());
}

TEST(RecentFiles, LoadingMovesAFileToTheFront) {
    const auto paths =
        Paths({"/d/a.llg", "/d/b.llg", "/d/c.llg", "/d/d.llg", "/d/e.llg", "/d/f.llg"});
    const struct {
        const char* loaded;
        std::array<std::string, 6> after;
    } cases[] = {
        // Entry 3 becomes entry 1; 1 and 2 move down; 4 to 6 stay.
        {"/d/c.llg",
         Paths({"/d/c.llg", "/d/a.llg", "/d/b.llg", "/d/d.llg", "/d/e.llg", "/d/f.llg"})},
        // Entry 1 again: nothing changes.
        {"/d/a.llg", paths},
        // A seventh file drops the oldest.
        {"/d/g.llg",
         Paths({"/d/g.llg", "/d/a.llg", "/d/b.llg", "/d/c.llg", "/d/d.llg", "/d/e.llg"})},
        // Entry 6 is found like any other.
        {"/d/f.llg",
         Paths({"/d/f.llg", "/d/a.llg", "/d/b.llg", "/d/c.llg", "/d/d.llg", "/d/e.llg"})},
        // The comparison is exact.
        {"/d/A.llg",
         Paths({"/d/A.llg", "/d/a.llg", "/d/b.llg", "/d/c.llg", "/d/d.llg", "/d/e.llg"})},
    };
    for (const auto& c : cases) {
        RecentFiles recent;
        recent.load(Shorts(paths), paths);
        recent.AddFileCaption(c.loaded);
        for (int n = 1; n <= 6; ++n) {
            EXPECT_EQ(recent.path(n), c.after[n - 1]) << c.loaded << " entry " << n;
            EXPECT_EQ(recent.caption(n),
                      RecentFiles::Prefix(n) + RecentFiles::Short(c.after[n - 1]));
        }
    }
}

TEST(RecentFiles, AnEntryShowsAsSoonAsItHoldsAFile) {
    RecentFiles recent;
    recent.load(Shorts(Paths({"/x/one.llg"})), Paths({"/x/one.llg"}));
    recent.AddFileCaption("/x/two.llg");
    EXPECT_TRUE(recent.visible(1));
    EXPECT_TRUE(recent.visible(2));
    EXPECT_FALSE(recent.visible(3));
    EXPECT_EQ(recent.caption(2), "&2 one.llg");
    EXPECT_EQ(recent.shortName(2), "one.llg");
}

TEST(RecentFiles, ShortIsTheLastComponent) {
    EXPECT_EQ(RecentFiles::Short("/home/ann/Plant/motor.llg"), "motor.llg");
    EXPECT_EQ(RecentFiles::Short("motor.llg"), "motor.llg");
    EXPECT_EQ(RecentFiles::Short("/home/ann/odd\\name.llg"), "odd\\name.llg");
    EXPECT_EQ(RecentFiles::Short(""), "");
}

TEST(RecentFiles, TheStoredNameIsCutAt100Characters) {
    const std::string longName = "/p/" + std::string(150, 'n') + ".llg";
    RecentFiles recent;
    recent.load({}, {});
    recent.AddFileCaption(longName);
    EXPECT_EQ(recent.shortName(1).size(), 100u);
}

}  // namespace
}  // namespace torvex::test
