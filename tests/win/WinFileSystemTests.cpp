#include <windows.h>

#include <objbase.h>

#include <string>

#include <gtest/gtest.h>

#include "toolkit/core/Exception.h"
#include "toolkit/core/FileStream.h"
#include "toolkit/core/FileSystem.h"

namespace {

TEST(WinFileSystem, TempDirectoryIsTheSystemOneWithABackslash) {
  char buffer[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, buffer);
  ASSERT_GT(length, 0u);
  std::string expected(buffer, length);
  if (expected.back() != '\\') expected += '\\';
  EXPECT_EQ(tk::TempDirectory(), expected);
}

TEST(WinFileSystem, GuidStringIsTheRegistryFormOfAFreshGuid) {
  const std::string text = tk::NewGuidString();
  ASSERT_EQ(text.size(), 38u);
  std::wstring wide(text.begin(), text.end());
  GUID guid;
  EXPECT_EQ(CLSIDFromString(wide.c_str(), &guid), NOERROR) << text;
  EXPECT_NE(text, tk::NewGuidString());
}

TEST(WinFileSystem, ReadingSharesTheFileWithWritersAndDeletersSeeTheHandle) {
  // Not "{GUID}": other tests watch the temporary directory for names of that form.
  const std::string name = tk::TempDirectory() + "orv-share-" + tk::NewGuidString().substr(1, 36);
  tk::ScopedTempFile cleanup(name);
  {
    tk::TFileStream out(name, tk::fmCreate);
    out.WriteBuffer("0123456789", 10);
  }
  tk::TFileStream in(name, tk::fmOpenRead | tk::fmShareDenyNone);
  HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE) << "a shared reader lets others write";
  CloseHandle(writer);
  EXPECT_THROW(tk::TFileStream(name, tk::fmOpenRead | tk::fmShareExclusive), tk::EFOpenError);
  char head[4];
  in.ReadBuffer(head, 4);
  EXPECT_EQ(std::string(head, 4), "0123");
}

}  // namespace
