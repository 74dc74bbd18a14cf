// A save replaces the file only when the new one is complete.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <optional>

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

TEST(SaveLadder, RefusesWhatIsNotARegularFileAndWritesADeviceInPlace) {
    TempFolder folder;
    const std::string fifo = folder.path("fifo.llg"), socketPath = folder.path("socket.llg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const struct {
        std::string path;
        bool finnish;
        std::string error;
    } cases[] = {
        {fifo, false, "'" + fifo + "' is not a regular file."},
        {socketPath, false, "'" + socketPath + "' is not a regular file."},
        {folder.folder(), true, "'" + folder.folder() + "' ei ole tavallinen tiedosto."},
        {"/dev/null", false, ""},
    };
    Model m;
    for (const auto& c : cases)
        EXPECT_EQ(SaveLadder(*m.plc, m.comments, m.settings, c.path, c.finnish), c.error);
    close(listener);
    struct stat st {};
    ASSERT_EQ(stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(FilesIn(folder.folder()), 2u);
}

// Saves as the given user in a child process; nullopt when the child could not become that
// user or could not create a file in the target's folder, as the save needs.
std::optional<std::string> SaveAsUser(uid_t user, const std::string& target) {
    int channel[2];
    if (pipe(channel) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const std::string probe = fs::path(target).parent_path() / "probe";
        if (setgid(user) != 0 || setuid(user) != 0) _exit(77);
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) _exit(77);
        close(fd);
        unlink(probe.c_str());
        Model m;
        const std::string error = SaveLadder(*m.plc, m.comments, m.settings, target);
        _exit(write(channel[1], error.data(), error.size()) == static_cast<ssize_t>(error.size())
                  ? 0
                  : 1);
    }
    close(channel[1]);
    std::string error;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        error.append(buffer, static_cast<size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return error;
}

TEST(SaveLadder, AFileTheUserMayNotWriteIsRefusedAndKept) {
    TempFolder folder;
    const std::string target = folder.path("motor.llg");
    WriteBytes(target, "read only\r\n");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    std::optional<std::string> error;
    if (geteuid() != 0) {
        Model m;
        error = SaveLadder(*m.plc, m.comments, m.settings, target);
    } else {
        // Root may write any file, so an ordinary user (nobody) owns the file and saves it,
        // in a folder where that user may create and rename files.
        constexpr uid_t kNobody = 65534;
        ASSERT_EQ(chown(target.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chmod(folder.folder().c_str(), 0777), 0);
        error = SaveAsUser(kNobody, target);
        if (!error) GTEST_SKIP() << "cannot save as an ordinary user here";
    }
    EXPECT_EQ(*error, "Permission denied");
    EXPECT_EQ(ReadBytes(target), "read only\r\n");
    struct stat st {};
    ASSERT_EQ(stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_EQ(FilesIn(folder.folder()), 1u);
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
