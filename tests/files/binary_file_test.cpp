#include "files/binary_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/file_error.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

TEST(BinaryFile, WritesOverWhatItHoldsAndReadsBack) {
  testing::TempDir dir;
  const std::string path = dir.file("out.bin");
  BinaryFile file = BinaryFile::Create(path);
  file.WriteZeros(100000);  // more than one buffer
  EXPECT_EQ(file.Length(), 100000u);
  file.Seek(10);
  const uint8_t six[] = {0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1};
  file.Write(six, sizeof six);
  file.SeekToEnd();
  const uint8_t last = 0xFE;
  file.Write(&last, 1);
  EXPECT_EQ(file.Length(), 100001u);
  EXPECT_EQ(file.Position(), 100001u);
  file.Close();

  const auto bytes = testing::ReadAllBytes(path);
  ASSERT_EQ(bytes.size(), 100001u);
  EXPECT_EQ(bytes[10], 0x34);
  EXPECT_EQ(bytes[11], 0x12);
  EXPECT_EQ(bytes[12], 0xD4);
  EXPECT_EQ(bytes[15], 0xA1);
  EXPECT_EQ(bytes[100000], 0xFE);

  BinaryFile in = BinaryFile::OpenForReading(path);
  uint8_t block[1024];
  std::size_t total = 0, got = 0;
  while ((got = in.Read(block, sizeof block)) == sizeof block) total += got;
  total += got;
  EXPECT_EQ(total, 100001u);
}

TEST(BinaryFile, FailuresNameTheFileAndTheCause) {
  testing::TempDir dir;
  try {
    BinaryFile::OpenForReading(dir.file("missing.res"));
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), dir.file("missing.res") + " was not found.");
  }
  EXPECT_THROW(BinaryFile::OpenForReading(dir.path().string()), FileError);
  EXPECT_THROW(BinaryFile::Create(dir.path().string()), FileError);

  // A full disk shows when the buffer is written out, at the latest on Close.
  BinaryFile full = BinaryFile::Create("/dev/full");
  full.WriteZeros(10);
  try {
    full.Close();
    FAIL() << "a full disk went unnoticed";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("No space left"), std::string::npos);
  }
}

}  // namespace
}  // namespace varnel
