// Files written whole or not at all: what was at the target survives every failure.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "test_files.h"
#include "vela/graphics/image_data.h"
#include "vela/graphics/png_writer.h"
#include "vela/system/atomic_file_writer.h"
#include "vela/system/os_file.h"

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

// The page's in-memory file system has no real devices and no file size limit.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)

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
    int entries = 0;
    DIR* dir = opendir(folder);
    while (dirent* entry = readdir(dir)) {
        entries += entry->d_name[0] != '.';
    }
    closedir(dir);
    EXPECT_EQ(entries, 1) << "a temporary file was left behind";
    std::remove(target.c_str());
    rmdir(folder);
}

#endif
