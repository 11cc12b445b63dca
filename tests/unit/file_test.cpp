#include <gtest/gtest.h>

#include <istream>
#include <string>

#include "test_files.h"
#include "vela/system/file_std.h"
#include "vela/system/memory_stream_buffer.h"

using vela::FileStd;

TEST(FileStdTest, MissingFileAndOperationsWithoutAFile) {
    FileStd file;
    EXPECT_FALSE(file.Open(TempPath("no_such_file.bin").c_str()));
    EXPECT_FALSE(file.Open(nullptr));
    EXPECT_FALSE(file.Open(testing::TempDir().c_str()));  // a folder is no file
    int32_t size = 77;
    EXPECT_FALSE(file.GetSize(size));
    EXPECT_EQ(size, 77);  // not written on failure
    char byte = 0;
    uint32_t read = 5;
    EXPECT_FALSE(file.Read(&byte, 1, read));
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(file.Seek(vela::SeekStart, 0));
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(file.Close());
}

TEST(FileStdTest, EmptyFileHasSizeZeroAndReadsNothing) {
    const std::string path = WriteTempFile("empty.bin", "");
    FileStd file;
    ASSERT_TRUE(file.Open(path.c_str()));
    int32_t size = -1;
    ASSERT_TRUE(file.GetSize(size));
    EXPECT_EQ(size, 0);
    char buffer[4];
    uint32_t read = 9;
    EXPECT_TRUE(file.Read(buffer, 0, read));
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(file.Read(buffer, 4, read));  // at the end: success with 0 bytes
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(file.Close());
}

TEST(FileStdTest, ReadsSeeksAndKeepsPositionAcrossGetSize) {
    const std::string path = WriteTempFile("digits.bin", "0123456789");
    FileStd file;
    ASSERT_TRUE(file.Open(path.c_str()));
    char buffer[16] = {};
    uint32_t read = 0;
    ASSERT_TRUE(file.Read(buffer, 3, read));
    EXPECT_EQ(std::string(buffer, read), "012");
    int32_t size = 0;
    ASSERT_TRUE(file.GetSize(size));
    EXPECT_EQ(size, 10);
    ASSERT_TRUE(file.Read(buffer, 2, read));
    EXPECT_EQ(std::string(buffer, read), "34");

    ASSERT_TRUE(file.Seek(vela::SeekCurrent, 2));
    ASSERT_TRUE(file.Read(buffer, 1, read));
    EXPECT_EQ(buffer[0], '7');
    ASSERT_TRUE(file.Seek(vela::SeekEnd, -2));
    ASSERT_TRUE(file.Read(buffer, 16, read));
    EXPECT_EQ(std::string(buffer, read), "89");
    ASSERT_TRUE(file.Seek(vela::SeekStart, 1));
    ASSERT_TRUE(file.Read(buffer, 1, read));
    EXPECT_EQ(buffer[0], '1');
    EXPECT_FALSE(file.Seek(vela::SeekStart, -5));
    EXPECT_TRUE(file.Close());
}

TEST(MemoryStreamBufferTest, ReadsTheBlockThenEndOfFile) {
    char block[] = {'a', 'b', 'c'};
    vela::MemoryStreamBuffer buffer(block, sizeof(block));
    std::istream in(&buffer);
    EXPECT_EQ(in.get(), 'a');
    EXPECT_EQ(in.get(), 'b');
    EXPECT_EQ(in.get(), 'c');
    EXPECT_EQ(in.get(), std::char_traits<char>::eof());
    EXPECT_TRUE(in.eof());
}

TEST(MemoryStreamBufferTest, SeekingFailsAndWritingStopsAtTheEnd) {
    char block[] = {'x', 'y', 'z'};
    vela::MemoryStreamBuffer buffer(block, sizeof(block));
    std::istream in(&buffer);
    in.seekg(1);
    EXPECT_TRUE(in.fail());

    vela::MemoryStreamBuffer out_buffer(block, sizeof(block));
    std::ostream out(&out_buffer);
    out << "hello";
    EXPECT_TRUE(out.bad());
    EXPECT_EQ(std::string(block, 3), "hel");
}
