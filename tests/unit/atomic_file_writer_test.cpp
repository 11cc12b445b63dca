// Files written whole or not at all: what was at the target survives every failure.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "test_files.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_writer.h"
#include "vela/system/atomic_file_writer.h"
#include "vela/system/os_file.h"
#include "vela/system/partial_files.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

vela::ImageData NoisyImage(int side) {
    vela::ImageData image;
    image.Allocate(side, side);
    uint32_t x = 12345;
    for (int i = 0; i < side * side * 4; ++i) {
        x = x * 1103515245u + 12345u;
        image.pixels[i] = static_cast<uint8_t>(x >> 24);
    }
    return image;
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

TEST(AtomicFileWriterTest, ReplacesTheTargetOnlyOnCommit) {
    const std::string target = WriteTempFile("atomic_target.txt", "old contents");
    vela::AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(target)) << writer.Error();
    std::fputs("new", writer.Stream());
    EXPECT_EQ(ReadAll(target), "old contents");
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    EXPECT_EQ(ReadAll(target), "new");

    // Discarded, or dropped unfinished: the target stays.
    {
        vela::AtomicFileWriter abandoned;
        ASSERT_TRUE(abandoned.Open(target));
        std::fputs("half", abandoned.Stream());
    }
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_TRUE(vela::IsSameFile(target, target));
    EXPECT_FALSE(vela::IsSameFile(target, TempPath("atomic_missing.txt")));
}

TEST(AtomicFileWriterTest, RefusesDirectoriesAndMissingFoldersNamingThem) {
    const std::string folder = TempPath("");
    const std::string missing = TempPath("no_such_folder/x.png");
    const vela::ImageData image = NoisyImage(2);
    for (const auto& target : {folder, missing}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(vela::PNGWriter::Save(target.c_str(), image)) << target;
        const std::string message = testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find(target), std::string::npos) << message;
        std::string error;
        EXPECT_FALSE(vela::AtomicFileWriter::CheckTarget(target, error));
        EXPECT_NE(error.find(target == folder ? "is a directory" : "does not exist"),
                  std::string::npos)
            << error;
    }
    EXPECT_FALSE(Exists(TempPath("no_such_folder")));
}

TEST(PartialFilesTest, OnlyTheExactPatternIsOurs) {
    int process = 0;
    const std::string ours = vela::PartialFiles::Name("shots/shot.png", 4321, 7);
    EXPECT_EQ(ours, "shots/.shot.png.partial-4321-7");
    ASSERT_TRUE(vela::PartialFiles::Match("shot.png", ".shot.png.partial-4321-0", process));
    EXPECT_EQ(process, 4321);
    for (const char* other :
         {"shot.png.partial-4321-7", ".shot.png.partial-4321-7.bak", ".shot.png.partial-4321",
          ".shot.png.partial-4321-", ".shot.png.partial--7", ".shot.png.partial-0-7",
          ".shot.png.partial-04321-7", ".shot.png.partial-4321-07", ".shot.png.partial-+4321-7",
          ".shot.png.partial-43x1-7", ".shot.png.partial-99999999999-7", ".shot.pn.partial-4321-7",
          ".other.png.partial-4321-7", ".shot.png.tmp4321-7", "shot.png.tmp4321-7"}) {
        EXPECT_FALSE(vela::PartialFiles::Match("shot.png", other, process)) << other;
    }
}

// The browser's page has no other processes to ask about.
#if !defined(__EMSCRIPTEN__)
TEST(PartialFilesTest, OnlyAProcessTheSystemDoesNotKnowIsGone) {
    EXPECT_FALSE(vela::ProcessIsGone(vela::ProcessId()));
    // Beyond Linux's largest process id, and not a multiple of 4 as Windows' are.
    EXPECT_TRUE(vela::ProcessIsGone(INT_MAX));
    EXPECT_FALSE(vela::ProcessIsGone(0));
}
#endif

// The page's in-memory file system has no real devices and no file size limit.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)

namespace {

std::set<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    int error = 0;
    EXPECT_TRUE(vela::ListFolder(folder, names, error));
    return std::set<std::string>(names.begin(), names.end());
}

}  // namespace

// A writer killed half-way leaves its partial file; the next write of the same target
// removes it, and nothing else: not a live process's, nor anything merely like it.
TEST(AtomicFileWriterTest, KilledWritersFilesGoWhenTheTargetIsWrittenAgain) {
    char folder_template[] = "/tmp/atomic_stale_XXXXXX";
    ASSERT_NE(mkdtemp(folder_template), nullptr);
    const std::string folder = folder_template;
    const std::string target = folder + "/shot.png";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        vela::AtomicFileWriter writer;
        _exit(writer.Open(target) && std::fputs("half", writer.Stream()) >= 0 &&
                      std::fflush(writer.Stream()) == 0
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::set<std::string> left = Listing(folder);
    ASSERT_EQ(left.size(), 1u) << "the killed writer left no file";
    int process = 0;
    ASSERT_TRUE(vela::PartialFiles::Match("shot.png", *left.begin(), process));
    EXPECT_EQ(process, child);

    const std::string dead = std::to_string(child);
    for (const std::string& name :
         {".shot.png.partial-" + std::to_string(getpid()) + "-99999",
          ".shot.png.partial-" + std::to_string(getppid()) + "-1",
          "shot.png.partial-" + dead + "-1", ".shot.png.partial-" + dead + "-1~",
          ".other.png.partial-" + dead + "-1"}) {
        std::ofstream(folder + "/" + name) << "not stale";
    }
    ASSERT_EQ(mkdir((folder + "/.shot.png.partial-" + dead + "-100").c_str(), 0755), 0);
    std::ofstream(folder + "/keep.txt") << "kept";
    ASSERT_EQ(symlink((folder + "/keep.txt").c_str(),
                      (folder + "/.shot.png.partial-" + dead + "-101").c_str()),
              0);
    std::set<std::string> expected = Listing(folder);
    expected.erase(*left.begin());
    expected.insert("shot.png");

    vela::AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(target)) << writer.Error();
    std::fputs("whole", writer.Stream());
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    EXPECT_EQ(Listing(folder), expected);
    EXPECT_EQ(ReadAll(folder + "/keep.txt"), "kept");
    EXPECT_EQ(ReadAll(target), "whole");
    for (const std::string& name : Listing(folder)) {
        const std::string path = folder + "/" + name;
        if (unlink(path.c_str()) != 0) {
            rmdir(path.c_str());
        }
    }
    rmdir(folder.c_str());
}

TEST(AtomicFileWriterTest, DevicesAreRefusedAndLinksKeptPointingAtTheNewFile) {
    std::string error;
    for (const char* device : {"/dev/null", "/dev/full"}) {
        EXPECT_FALSE(vela::PNGWriter::Save(device, NoisyImage(2)));
        struct stat info;
        ASSERT_EQ(stat(device, &info), 0) << device << " is gone";
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << device;
        EXPECT_FALSE(vela::AtomicFileWriter::CheckTarget(device, error));
    }

    const std::string real = WriteTempFile("atomic_real.png", "x");
    const std::string link = TempPath("atomic_link.png");
    std::remove(link.c_str());
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(vela::PNGWriter::Save(link.c_str(), NoisyImage(2)));
    struct stat info;
    ASSERT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_GT(ReadAll(real).size(), 8u);
    EXPECT_TRUE(vela::IsSameFile(link, real));
}

// A private file stays private: the replacement is not made with the default mode.
TEST(AtomicFileWriterTest, ReplacementKeepsTheTargetsPermissions) {
    const std::string target = WriteTempFile("atomic_private.txt", "old");
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    vela::AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(target)) << writer.Error();
    std::fputs("new", writer.Stream());
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    struct stat info;
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(ReadAll(target), "new");
}

// A write that fails half-way (here the file size limit, as a full disk would) leaves the
// old screenshot byte for byte and no file of ours behind.
TEST(AtomicFileWriterTest, FailedScreenshotLeavesTheOldFileByteForByte) {
    char folder[] = "/tmp/atomic_fail_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string target = std::string(folder) + "/shot.png";
    const std::string old(100000, '7');
    { std::ofstream(target, std::ios::binary) << old; }
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    void (*previous)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    testing::internal::CaptureStderr();
    const bool saved_ok = vela::PNGWriter::Save(target.c_str(), NoisyImage(256));
    const std::string message = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_NE(message.find(target), std::string::npos) << message;
    EXPECT_EQ(ReadAll(target), old);
    std::vector<std::string> entries;
    int error = 0;
    ASSERT_TRUE(vela::ListFolder(folder, entries, error));
    EXPECT_EQ(entries.size(), 1u) << "a temporary file was left behind";
    std::remove(target.c_str());
    rmdir(folder);
}

#endif
