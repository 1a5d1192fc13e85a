// SPDX-License-Identifier: MIT
#include "transfers/bmp_info.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <vector>

#include "bmp_test_files.h"
#include "support/temp_dir.h"

namespace nuvrel::transfers {
namespace {

using test::BmpBytes;
using test::BmpSpec;

std::optional<BmpInfo> Read(const std::string& s) {
  return ReadBmpInfo(std::vector<std::uint8_t>(s.begin(), s.end()));
}

// A bitmap with one little-endian field overwritten.
std::string Bent(const BmpSpec& shape, std::size_t at, std::uint64_t value, int bytes) {
  std::string b = BmpBytes(shape);
  test::PutLe(b, at, value, bytes);
  return b;
}

const BmpSpec kCore{.width = 32, .height = 7, .coreHeader = true};  // 60 bytes

TEST(ReadBmpInfo, ReadsBothHeadersAndEveryDepth) {
  struct Case {
    const char* what;
    std::string bytes;
    BmpInfo info;
  };
  const Case cases[] = {
      {"advised", BmpBytes({}), {224, 80, 1, 62 + 80 * 28}},
      {"4 bits", BmpBytes({.width = 13, .height = 5, .bitsPerPixel = 4}), {13, 5, 4, 0}},
      {"8 bits", BmpBytes({.width = 13, .height = 5, .bitsPerPixel = 8}), {13, 5, 8, 0}},
      {"16 bits", BmpBytes({.width = 13, .height = 5, .bitsPerPixel = 16}), {13, 5, 16, 0}},
      {"24 bits", BmpBytes({.width = 13, .height = 5, .bitsPerPixel = 24}), {13, 5, 24, 0}},
      {"32 bits", BmpBytes({.width = 13, .height = 5, .bitsPerPixel = 32}), {13, 5, 32, 0}},
      {"top-down", BmpBytes({.width = 224, .height = -80}), {224, 80, 1, 0}},
      {"core header", BmpBytes(kCore), {32, 7, 1, 60}},
      {"widest", BmpBytes({.width = 32768, .height = 1}), {32768, 1, 1, 0}},
      {"tallest", BmpBytes({.width = 1, .height = 32768}), {1, 32768, 1, 0}},
      // Writers leave the file's own size 0 or wrong; the bytes present count, padding included.
      {"size field untrusted", Bent({.padTo = 3000}, 2, 0, 4), {224, 80, 1, 3000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto info = Read(c.bytes);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, c.info.width);
    EXPECT_EQ(info->height, c.info.height);
    EXPECT_EQ(info->bitsPerPixel, c.info.bitsPerPixel);
    EXPECT_EQ(info->fileSize, c.bytes.size());
    if (c.info.fileSize) {
      EXPECT_EQ(info->fileSize, c.info.fileSize);
    }
  }
}

TEST(ReadBmpInfo, RefusesWhatIsNotABitmapOfOursOrHasAbsurdDimensions) {
  const std::string refused[] = {
      BmpBytes({.width = 32769, .height = 1}),
      BmpBytes({.width = 1, .height = -32769}),
      Bent({}, 22, 0x80000000U, 4),  // the most negative height has no positive counterpart
      Bent({}, 18, 0, 4),
      Bent({}, 22, 0, 4),
      Bent({}, 18, 0xFFFFFF20U, 4),  // a negative width
      Bent({}, 18, 0x7FFFFFFFU, 4),
      Bent(kCore, 18, 0, 2),
      Bent(kCore, 20, 40000, 2),  // unsigned in the core header: not negative, but absurd
      Bent({}, 0, 'P' | ('K' << 8), 2),
      Bent({}, 26, 2, 2),  // planes
      Bent({}, 28, 2, 2),  // 2 bits per pixel
      Bent({}, 28, 0, 2),
      Bent({}, 14, 20, 4),  // no header of that size
      Bent({}, 14, 0xFFFFFFF0U, 4),
      Bent({}, 10, 2302, 4),  // pixels start at the end of the file
      Bent({}, 10, 20, 4),    // ... or inside the headers
      Bent(kCore, 22, 3, 2),
      Bent(kCore, 24, 7, 2),
  };
  for (std::size_t i = 0; i < std::size(refused); ++i) EXPECT_FALSE(Read(refused[i])) << i;

  // Every truncation of a valid file.
  for (const BmpSpec& shape :
       {BmpSpec{}, kCore, BmpSpec{.width = 3, .height = 3, .bitsPerPixel = 24}}) {
    const std::string whole = BmpBytes(shape);
    for (std::size_t n = 0; n < whole.size(); ++n) {
      EXPECT_FALSE(Read(whole.substr(0, n))) << "cut to " << n << " of " << whole.size();
    }
  }
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

TEST(ReadBmpFile, ReadsRegularFilesUpToTheLimitOnly) {
  test::TempDir dir;
  const std::string path = dir / "big.bmp";
  test::WriteBytes(path, BmpBytes({}));
  ASSERT_TRUE(ReadBmpFile(path));
  EXPECT_EQ(ReadBmpFile(path)->fileSize, 2302U);
  // Zero padding after valid headers; the file is sparse, so this costs no disk.
  std::filesystem::resize_file(path, kMaxBmpFileSize);
  ASSERT_TRUE(ReadBmpFile(path));
  EXPECT_EQ(ReadBmpFile(path)->fileSize, kMaxBmpFileSize);
  std::filesystem::resize_file(path, kMaxBmpFileSize + 1);
  EXPECT_FALSE(ReadBmpFile(path));

  EXPECT_FALSE(ReadBmpFile(dir / "missing.bmp"));
  EXPECT_FALSE(ReadBmpFile(dir.Path()));
  EXPECT_FALSE(ReadBmpFile(""));
#ifndef _WIN32
  // A FIFO without a writer would block an open for reading forever.
  ASSERT_EQ(::mkfifo((dir / "fifo.bmp").c_str(), 0600), 0);
  EXPECT_FALSE(ReadBmpFile(dir / "fifo.bmp"));
#endif
}

}  // namespace
}  // namespace nuvrel::transfers
