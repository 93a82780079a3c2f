#include <gtest/gtest.h>

#include "tests/support/TempDir.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/core/Stream.h"

namespace {

TEST(Streams, ReadBufferRaisesOnShortDataAndReadAnswersWhatItGot) {
  const std::uint8_t bytes[] = {1, 2, 3};
  tk::TBytesStream stream(bytes, 3);
  std::uint8_t out[4] = {};
  EXPECT_EQ(stream.Read(out, 4), 3);
  stream.SetPosition(1);
  EXPECT_THROW(stream.ReadBuffer(out, 3), tk::EReadError);
  stream.SetPosition(-5);  // ignored
  EXPECT_EQ(stream.Position(), 3);
}

TEST(Streams, MemoryStreamGrowsAndZeroFillsGaps) {
  tk::TMemoryStream stream;
  stream.SetPosition(4);
  const std::uint8_t b = 9;
  stream.WriteBuffer(&b, 1);
  EXPECT_EQ(stream.Size(), 5);
  EXPECT_EQ(stream.Bytes()[2], 0);
  EXPECT_EQ(stream.Bytes()[4], 9);
}

TEST(Streams, FileStreamCreatesOpensAndReportsFailures) {
  testing_support::TempDir dir;
  const std::string name = dir.File("f.bin");
  {
    tk::TFileStream out(name, tk::fmCreate);
    out.WriteBuffer("abcdef", 6);
  }
  EXPECT_EQ(tk::FileSize(name), 6);
  {
    tk::TFileStream in(name, tk::fmOpenRead | tk::fmShareDenyNone);
    EXPECT_EQ(in.Size(), 6);
    in.Seek(-2, tk::TSeekOrigin::soEnd);
    char tail[2];
    in.ReadBuffer(tail, 2);
    EXPECT_EQ(std::string(tail, 2), "ef");
  }
  EXPECT_THROW(tk::TFileStream(dir.File("missing"), tk::fmOpenRead), tk::EFOpenError);
  EXPECT_THROW(tk::TFileStream(dir.File("no/such/dir"), tk::fmCreate), tk::EFCreateError);
  EXPECT_TRUE(tk::RemoveFile(name));
  EXPECT_FALSE(tk::FileExists(name));
}

TEST(FileSystem, GuidStringsHaveRegistryFormAndDiffer) {
  const std::string a = tk::NewGuidString();
  const std::string b = tk::NewGuidString();
  ASSERT_EQ(a.size(), 38u);
  EXPECT_EQ(a.front(), '{');
  EXPECT_EQ(a.back(), '}');
  for (std::size_t i : {9u, 14u, 19u, 24u}) EXPECT_EQ(a[i], '-');
  for (char c : a.substr(1, 36))
    EXPECT_TRUE(c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << a;
  EXPECT_NE(a, b);
}

}  // namespace
