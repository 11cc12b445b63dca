// FileWin32 against real files in the temporary folder.
#include "vela/d3d11/file_win32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using vela::FileWin32;

class FileWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        dir_ = temp;
    }
    void TearDown() override {
        for (const std::string& path : made_) {
            DeleteFileA(path.c_str());
        }
    }

    std::string Make(const char* name, const std::string& contents) {
        const std::string path = dir_ + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        if (file) {
            std::fwrite(contents.data(), 1, contents.size(), file);
            std::fclose(file);
        }
        made_.push_back(path);
        return path;
    }

    char ReadOne(FileWin32& file) {
        char c = 0;
        uint32_t n = 0;
        EXPECT_TRUE(file.Read(&c, 1, n));
        EXPECT_EQ(n, 1u);
        return c;
    }

    std::string dir_;
    std::vector<std::string> made_;
};

TEST_F(FileWin32Test, MissingFileFailsEveryOperationButClose) {
    FileWin32 file;
    EXPECT_FALSE(file.Open((dir_ + "vela_no_such_file.bin").c_str()));
    int32_t size = 1234;
    EXPECT_FALSE(file.GetSize(size));
    EXPECT_EQ(size, 1234) << "a failed GetSize must not write the size";
    char buffer[4];
    uint32_t read = 99;
    EXPECT_FALSE(file.Read(buffer, sizeof(buffer), read));
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(file.Seek(vela::SeekStart, 0));
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Open(nullptr));
}

TEST_F(FileWin32Test, EmptyFileHasSizeZeroAndReadsNothingSuccessfully) {
    FileWin32 file;
    ASSERT_TRUE(file.Open(Make("vela_empty.bin", "").c_str()));
    int32_t size = -1;
    ASSERT_TRUE(file.GetSize(size));
    EXPECT_EQ(size, 0);
    // What a loader does with it: allocate 0 bytes and read them.
    char* buffer = new char[size];
    uint32_t read = 99;
    EXPECT_TRUE(file.Read(buffer, static_cast<uint32_t>(size), read));
    EXPECT_EQ(read, 0u);
    delete[] buffer;
    char more[8];
    EXPECT_TRUE(file.Read(more, sizeof(more), read));
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(file.Close());
}

TEST_F(FileWin32Test, SeekFromEachOriginAndShortReadAtTheEnd) {
    FileWin32 file;
    ASSERT_TRUE(file.Open(Make("vela_digits.bin", "0123456789").c_str()));
    int32_t size = 0;
    ASSERT_TRUE(file.GetSize(size));
    EXPECT_EQ(size, 10);

    ASSERT_TRUE(file.Seek(vela::SeekStart, 2));
    EXPECT_EQ(ReadOne(file), '2');
    ASSERT_TRUE(file.Seek(vela::SeekCurrent, 3));
    EXPECT_EQ(ReadOne(file), '6');
    ASSERT_TRUE(file.Seek(vela::SeekCurrent, -2));
    EXPECT_EQ(ReadOne(file), '5');
    ASSERT_TRUE(file.Seek(vela::SeekEnd, -1));
    EXPECT_EQ(ReadOne(file), '9');
    // Any other origin counts from the start.
    ASSERT_TRUE(file.Seek(static_cast<vela::SeekFrom>(7), 4));
    EXPECT_EQ(ReadOne(file), '4');
    EXPECT_FALSE(file.Seek(vela::SeekStart, -1));

    ASSERT_TRUE(file.Seek(vela::SeekEnd, -3));
    char buffer[8] = {};
    uint32_t read = 0;
    EXPECT_TRUE(file.Read(buffer, sizeof(buffer), read));
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(std::string(buffer, read), "789");
    EXPECT_TRUE(file.Read(buffer, sizeof(buffer), read));
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(file.Close());
}

TEST_F(FileWin32Test, ReopeningOrDestroyingReleasesTheHandle) {
    const std::string first = Make("vela_first.bin", "a");
    const std::string second = Make("vela_second.bin", "b");
    {
        FileWin32 file;
        ASSERT_TRUE(file.Open(first.c_str()));
        ASSERT_TRUE(file.Open(second.c_str()));
        // The first handle is gone: nothing holds the file open any more.
        EXPECT_TRUE(DeleteFileA(first.c_str()));
        EXPECT_EQ(ReadOne(file), 'b');
    }
    EXPECT_TRUE(DeleteFileA(second.c_str())) << "the destructor left the handle open";
}

}  // namespace
