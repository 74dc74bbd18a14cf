// A save replaces the file only when the new one is complete.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "files/ladder_reader.h"
#include "files/ladder_writer.h"
#include "tests/files/file_fixture.h"
#include "tests/support/ladder_text.h"

namespace torvex {
namespace {

namespace fs = std::filesystem;
using test::Model;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

void BuildLarge(Model& m) {
    for (int r = 0; r < 200; ++r) {
        test::SetRung(m.diagram(), r, {test::Simple({"NOC:IP0", "NCC:IP1"}, "OUT:OP2")});
        m.diagram().Rungs[r].setComment(std::string(100, 'c'));
    }
}

size_t FilesIn(const std::string& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
    return n;
}

TEST(SaveLadder, WritesAFileThatLoadsBack) {
    TempFolder folder;
    Model m;
    test::SetRung(m.diagram(), 0, {test::Simple({"NOC:IP3"}, "LAT:F2")});
    ASSERT_EQ(SaveLadder(*m.plc, m.comments, m.settings, folder.path("new.llg")), "");
    Model back;
    ASSERT_TRUE(LoadFile(*back.plc, back.comments, folder.path("new.llg")).completed);
    EXPECT_EQ(test::ModelDifference(m, back), "");
    EXPECT_EQ(FilesIn(folder.folder()), 1u);  // no temporary file left behind
}

TEST(SaveLadder, AFullDiskLeavesThePreviousFileAsItWas) {
    TempFolder folder;
    const std::string target = folder.path("motor.llg");
    WriteBytes(target, "the previous diagram\r\n");
    Model m;
    BuildLarge(m);

    // A file size limit makes the write fail part way, as a full disk would, even for root.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = SaveLadder(*m.plc, m.comments, m.settings, target);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);

    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(ReadBytes(target), "the previous diagram\r\n");
    EXPECT_EQ(FilesIn(folder.folder()), 1u);
}

TEST(SaveLadder, ReportsThePlatformsMessage) {
    Model m;
    BuildLarge(m);
    EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, "/dev/full"), "No space left on device");
    EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, "/nonexistent/folder/x.llg"),
              "No such file or directory");
}

TEST(SaveLadder, AReadOnlyFolderIsRefused) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TempFolder folder;
    const std::string target = folder.path("motor.llg");
    WriteBytes(target, "old");
    fs::permissions(folder.folder(), fs::perms::owner_read | fs::perms::owner_exec);
    Model m;
    EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, target), "Permission denied");
    fs::permissions(folder.folder(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(target), "old");
}

TEST(SaveLadder, KeepsTheFilesPermissionsAndLinks) {
    TempFolder folder;
    const std::string real = folder.path("real.llg");
    const std::string link = folder.path("link.llg");
    WriteBytes(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    fs::create_symlink(real, link);
    Model m;
    ASSERT_EQ(SaveLadder(*m.plc, m.comments, m.settings, link), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), LadderText(*m.plc, m.comments, m.settings));
    struct stat st {};
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace torvex
