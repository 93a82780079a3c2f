#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>

#include "Exception.h"
#include "FileStream.h"
#include "FileSystem.h"

namespace tk {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

DWORD ShareFlags(std::uint32_t mode) {
  switch (mode & 0xF0) {
    case fmShareExclusive: return 0;
    case fmShareDenyWrite: return FILE_SHARE_READ;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint32_t mode) : fileName_(fileName) {
  HANDLE handle;
  if (mode == fmCreate) {
    handle = ::CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
      throw EFCreateError("Cannot create file \"" + fileName + "\"");
  } else {
    const DWORD access = (mode & 3) == fmOpenWrite       ? GENERIC_WRITE
                         : (mode & 3) == fmOpenReadWrite ? GENERIC_READ | GENERIC_WRITE
                                                         : GENERIC_READ;
    handle = ::CreateFileA(fileName.c_str(), access, ShareFlags(mode), nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw EFOpenError("Cannot open file \"" + fileName + "\"");
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
}

TFileStream::~TFileStream() {
  ::CloseHandle(AsHandle(handle_));
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  auto* out = static_cast<char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::int64_t>(count - done, 0x40000000));
    if (!::ReadFile(AsHandle(handle_), out + done, want, &n, nullptr) || n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  const auto* in = static_cast<const char*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::int64_t>(count - done, 0x40000000));
    if (!::WriteFile(AsHandle(handle_), in + done, want, &n, nullptr) || n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const DWORD method = origin == TSeekOrigin::soBeginning ? FILE_BEGIN
                       : origin == TSeekOrigin::soCurrent ? FILE_CURRENT
                                                          : FILE_END;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  if (!::SetFilePointerEx(AsHandle(handle_), distance, &result, method)) return -1;
  return result.QuadPart;
}

std::int64_t TFileStream::Size() {
  LARGE_INTEGER size;
  return ::GetFileSizeEx(AsHandle(handle_), &size) ? size.QuadPart : -1;
}

bool FileExists(const std::string& fileName) {
  const DWORD attributes = ::GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool RemoveFile(const std::string& fileName) {
  return ::DeleteFileA(fileName.c_str()) != 0;
}

std::int64_t FileSize(const std::string& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string TempDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = ::GetTempPathA(MAX_PATH, buffer);
  std::string path(buffer, length > 0 && length < MAX_PATH ? length : 0);
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string NewGuidString() {
  GUID guid{};
  ::CoCreateGuid(&guid);
  char text[39];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace tk
