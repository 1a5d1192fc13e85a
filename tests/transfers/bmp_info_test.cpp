// SPDX-License-Identifier: MIT
#include "transfers/bmp_info.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <vector>

#include "bmp_test_files.h"
#include "support/temp_dir.h"

namespace nuvrel::transfers {
namespace {

using test::BmpBytes;
using test::BmpSpec;

std::vector<std::uint8_t> AsBytes(const std::string& s) {
  return {s.begin(), s.end()};
}

std::optional<BmpInfo> Read(const std::string& s) {
  return ReadBmpInfo(AsBytes(s));
}

// A bitmap with one little-endian field overwritten.
std::string Bent(const BmpSpec& shape, std::size_t at, std::uint64_t value, int bytes) {
  std::string b = BmpBytes(shape);
  test::PutLe(b, at, value, bytes);
  return b;
}

TEST(ReadBmpInfo, ReadsTheInfoHeaderOfEveryDepth) {
  const auto advised = Read(BmpBytes({}));
  ASSERT_TRUE(advised);
  EXPECT_EQ(advised->width, 224U);
  EXPECT_EQ(advised->height, 80U);
  EXPECT_EQ(advised->bitsPerPixel, 1);
  EXPECT_EQ(advised->fileSize, 62U + 80 * 28);

  for (const std::uint16_t bits : std::initializer_list<std::uint16_t>{1, 4, 8, 16, 24, 32}) {
    const auto info = Read(BmpBytes({.width = 13, .height = 5, .bitsPerPixel = bits}));
    ASSERT_TRUE(info) << bits;
    EXPECT_EQ(info->bitsPerPixel, bits);
    EXPECT_EQ(info->width, 13U);
  }
}

TEST(ReadBmpInfo, TopDownHeightIsTakenPositive) {
  const auto info = Read(BmpBytes({.width = 224, .height = -80}));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->height, 80U);
  // The most negative int32 has no positive counterpart; it is simply too tall.
  EXPECT_FALSE(Read(Bent({}, 22, 0x80000000U, 4)));
}

TEST(ReadBmpInfo, ReadsTheCoreHeader) {
  // 14 + 12 + two 3-byte colours + 7 rows of 4 bytes.
  const std::string core = BmpBytes({.width = 32, .height = 7, .coreHeader = true});
  ASSERT_EQ(core.size(), 60U);
  const auto info = Read(core);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->width, 32U);
  EXPECT_EQ(info->height, 7U);
  EXPECT_EQ(info->bitsPerPixel, 1);
  EXPECT_EQ(info->fileSize, 60U);
  // Its 16-bit dimensions are unsigned: 40000 is not a negative height, but it is absurd.
  EXPECT_FALSE(Read(Bent({.width = 32, .height = 7, .coreHeader = true}, 20, 40000, 2)));
}

TEST(ReadBmpInfo, RefusesEveryTruncation) {
  for (const BmpSpec& shape : {BmpSpec{}, BmpSpec{.width = 32, .height = 7, .coreHeader = true},
                               BmpSpec{.width = 3, .height = 3, .bitsPerPixel = 24}}) {
    const std::string whole = BmpBytes(shape);
    ASSERT_TRUE(Read(whole));
    for (std::size_t n = 0; n < whole.size(); ++n) {
      EXPECT_FALSE(Read(whole.substr(0, n))) << "cut to " << n << " of " << whole.size();
    }
  }
}

TEST(ReadBmpInfo, RefusesZeroAndAbsurdDimensions) {
  EXPECT_TRUE(Read(BmpBytes({.width = 32768, .height = 1})));
  EXPECT_TRUE(Read(BmpBytes({.width = 1, .height = 32768})));
  EXPECT_FALSE(Read(BmpBytes({.width = 32769, .height = 1})));
  EXPECT_FALSE(Read(BmpBytes({.width = 1, .height = -32769})));
  EXPECT_FALSE(Read(Bent({}, 18, 0, 4)));
  EXPECT_FALSE(Read(Bent({}, 22, 0, 4)));
  EXPECT_FALSE(Read(Bent({}, 18, 0xFFFFFF20U, 4)));  // a negative width
  EXPECT_FALSE(Read(Bent({}, 18, 0x7FFFFFFFU, 4)));
  EXPECT_FALSE(Read(Bent({.width = 32, .height = 7, .coreHeader = true}, 18, 0, 2)));
}

TEST(ReadBmpInfo, RefusesWhatIsNotABitmapOfOurs) {
  EXPECT_FALSE(Read(Bent({}, 0, 'P' | ('K' << 8), 2)));
  EXPECT_FALSE(Read(Bent({}, 26, 2, 2)));  // planes
  EXPECT_FALSE(Read(Bent({}, 28, 2, 2)));  // 2 bits per pixel
  EXPECT_FALSE(Read(Bent({}, 28, 0, 2)));
  EXPECT_FALSE(Read(Bent({}, 14, 20, 4)));  // no header of that size
  EXPECT_FALSE(Read(Bent({}, 14, 0xFFFFFFF0U, 4)));
  EXPECT_FALSE(Read(Bent({}, 10, 2302, 4)));  // pixels start at the end of the file
  EXPECT_FALSE(Read(Bent({}, 10, 20, 4)));    // ... or inside the headers
  EXPECT_FALSE(Read(Bent({.width = 32, .height = 7, .coreHeader = true}, 22, 3, 2)));
  EXPECT_FALSE(Read(Bent({.width = 32, .height = 7, .coreHeader = true}, 24, 7, 2)));
}

TEST(ReadBmpInfo, TheHeadersOwnSizeFieldIsNotTrusted) {
  // Writers leave it 0 or wrong; the bytes present count, and padding after the pixels is allowed.
  const auto info = Read(Bent({.padTo = 3000}, 2, 0, 4));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->fileSize, 3000U);
}

TEST(ReadBmpInfo, CompressedPixelsAreNotMeasured) {
  // Run-length data has no size that follows from the dimensions: a short array is accepted...
  std::string rle = BmpBytes({.width = 100, .height = 100, .bitsPerPixel = 8, .compression = 1});
  rle.resize(14 + 40 + 1024 + 10);
  EXPECT_TRUE(Read(rle));
  // ...but an uncompressed one of the same length is not.
  test::PutLe(rle, 30, 0, 4);
  EXPECT_FALSE(Read(rle));
}

TEST(ReadBmpInfo, RandomAndMangledBytesNeverCrashAndNeverGiveNonsense) {
  std::mt19937 random(20240611);
  const std::string valid = BmpBytes({.width = 9, .height = 4, .bitsPerPixel = 8});
  auto check = [](const std::vector<std::uint8_t>& bytes) {
    if (const auto info = ReadBmpInfo(bytes)) {
      EXPECT_GE(info->width, 1U);
      EXPECT_LE(info->width, kMaxBmpDimension);
      EXPECT_GE(info->height, 1U);
      EXPECT_LE(info->height, kMaxBmpDimension);
      EXPECT_EQ(info->fileSize, bytes.size());
    }
  };
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint8_t> bytes;
    if (round % 2 == 0) {
      bytes.resize(random() % 96);
      for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
      if (bytes.size() >= 2) bytes[0] = 'B', bytes[1] = 'M';
    } else {
      bytes = AsBytes(valid);
      for (int flips = 0; flips < 3; ++flips) {
        bytes[random() % 54] = static_cast<std::uint8_t>(random());
      }
      bytes.resize(random() % (bytes.size() + 1));
    }
    check(bytes);
  }
}

TEST(ColourCount, IsTwoToTheDepthUpTo32Bits) {
  EXPECT_EQ(ColourCount(1), 2U);
  EXPECT_EQ(ColourCount(8), 256U);
  EXPECT_EQ(ColourCount(24), 16777216U);
  EXPECT_EQ(ColourCount(32), 4294967295U);
}

TEST(ReadBmpFile, ReadsARegularFile) {
  test::TempDir dir;
  test::WriteBytes(dir / "logo.bmp", BmpBytes({}));
  const auto info = ReadBmpFile(dir / "logo.bmp");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->width, 224U);
  EXPECT_EQ(info->fileSize, 2302U);
}

TEST(ReadBmpFile, RefusesMissingAndSpecialFiles) {
  test::TempDir dir;
  EXPECT_FALSE(ReadBmpFile(dir / "missing.bmp"));
  EXPECT_FALSE(ReadBmpFile(dir.Path()));
  EXPECT_FALSE(ReadBmpFile(""));
#ifndef _WIN32
  // A FIFO without a writer would block an open for reading forever.
  ASSERT_EQ(::mkfifo((dir / "fifo.bmp").c_str(), 0600), 0);
  EXPECT_FALSE(ReadBmpFile(dir / "fifo.bmp"));
#endif
}

TEST(ReadBmpFile, RefusesFilesOverSixteenMebibytes) {
  test::TempDir dir;
  const std::string path = dir / "big.bmp";
  // Valid headers followed by zero padding; the file is sparse, so this costs no disk.
  test::WriteBytes(path, BmpBytes({}));
  std::filesystem::resize_file(path, kMaxBmpFileSize);
  const auto atLimit = ReadBmpFile(path);
  ASSERT_TRUE(atLimit);
  EXPECT_EQ(atLimit->fileSize, kMaxBmpFileSize);
  std::filesystem::resize_file(path, kMaxBmpFileSize + 1);
  EXPECT_FALSE(ReadBmpFile(path));
}

}  // namespace
}  // namespace nuvrel::transfers
