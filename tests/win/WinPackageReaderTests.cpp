#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/reader/PackageReader.h"
#include "skin/reader/SkinFileReader.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestData.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileSystem.h"
#include "tools/zsk/PackageWriter.h"
#include "tools/zsk/Sk2Writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Temporary skin data files are named "{GUID}" in the system's temporary directory.
int CountGuidFilesInTemp() {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((tk::TempDirectory() + "{*}").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(find, &data));
  FindClose(find);
  return count;
}

TEST(WinPackageReader, ExtractsLargeAndEncryptedEntriesWrittenWithZlib) {
  testing_support::TempDir dir;
  const Bytes payload = testing_support::MixedBytes(400000, 31);
  testing_support::WriteAll(dir.File("plain.zsk"),
                            zsk::BuildPackage({{"SKINDATA.SK2", payload, ""}}));
  testing_support::WriteAll(dir.File("locked.zsk"),
                            zsk::BuildPackage({{"SKINDATA.SK2", payload, "key"}}));

  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("plain.zsk"), "skindata.sk2", dir.File("a"), ""),
            skin::kExtractOk);
  EXPECT_TRUE(testing_support::ReadAll(dir.File("a")) == payload);
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("locked.zsk"), "SKINDATA.SK2", dir.File("b"), "key"),
            skin::kExtractOk);
  EXPECT_TRUE(testing_support::ReadAll(dir.File("b")) == payload);
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("locked.zsk"), "SKINDATA.SK2", dir.File("c"), "x"),
            skin::kExtractWrongPassword);
  EXPECT_EQ(GetFileAttributesA(dir.File("c").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WinPackageReader, PackageHeldOpenForWritingByAnotherProgramIsStillRead) {
  testing_support::TempDir dir;
  const Bytes payload = testing_support::TextBytes(20000, 32);
  testing_support::WriteAll(dir.File("p.zsk"), zsk::BuildPackage({{"SKINDATA.SK2", payload, ""}}));
  HANDLE other =
      CreateFileA(dir.File("p.zsk").c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(skin::ExtractPackageEntry(dir.File("p.zsk"), "SKINDATA.SK2", dir.File("o"), ""),
            skin::kExtractOk);
  CloseHandle(other);
}

TEST(WinPackageReader, SkinStoreLoadsThroughAGuidNamedTemporaryFileThatIsDeleted) {
  testing_support::TempDir dir;
  const Bytes sk2 = zsk::BuildSk2({zsk::IntegerElement("SKIN2_TRANSCOLOR", 0xFF00FF),
                                   zsk::BooleanElement("SKIN2_MENUFLAT", true)});
  testing_support::WriteAll(dir.File("s.zsk"), zsk::BuildPackage({{"SKINDATA.SK2", sk2, "pw"}}));
  const int before = CountGuidFilesInTemp();
  {
    skin::Tsk2SkinFileReader reader(dir.File("s.zsk"), "pw");
    EXPECT_EQ(reader.FindInteger("skin2_transcolor"), 0xFF00FF);
    EXPECT_TRUE(reader.FindBoolean("SKIN2_MENUFLAT"));
  }
  try {
    skin::Tsk2SkinFileReader reader(dir.File("s.zsk"), "nope");
    ADD_FAILURE() << "no exception";
  } catch (const tk::Exception& e) {
    EXPECT_EQ(e.Message(), "Wrong password!");
  }
  EXPECT_EQ(CountGuidFilesInTemp(), before);
}

}  // namespace
