#include "Resources.h"

#include "FormReader.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/SysUtils.h"

namespace tk {

namespace {

// RT_RCDATA, whose spelling follows the narrow or wide character set of the build.
const LPCWSTR kRcDataType = MAKEINTRESOURCEW(10);

// The RCDATA resource name of module, or null. FindResourceW would read "#12" as the number
// 12 and stop at a NUL, so such names find nothing rather than something else.
HRSRC FindRcData(HMODULE module, std::string_view name) {
  if (name.empty() || name.front() == '#') return nullptr;
  std::wstring wide;
  wide.reserve(name.size());
  for (char c : name) {
    if (c < '!' || c > '~') return nullptr;
    wide.push_back(static_cast<wchar_t>(c));
  }
  return FindResourceW(module, wide.c_str(), kRcDataType);
}

}  // namespace

std::optional<std::string> LoadResourceText(HMODULE module, std::string_view name) {
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  HRSRC info = FindRcData(module, name);
  if (info == nullptr) return std::nullopt;
  const DWORD size = SizeofResource(module, info);
  if (size == 0) return std::string();
  // A loaded resource is part of the module's image and lives as long as the module.
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return std::string(static_cast<const char*>(data), size);
}

std::string FormResourceName(std::string_view className) {
  return UpperCase(std::string(className));
}

bool HasFormResource(std::string_view className) {
  return FindRcData(GetModuleHandleW(nullptr), FormResourceName(className)) != nullptr;
}

std::unique_ptr<TComponent> ReadComponentResource(std::string_view name) {
  const std::optional<std::string> text = LoadResourceText(nullptr, name);
  if (!text) throw EReadError("Resource " + std::string(name) + " not found");
  return ReadComponent(*text);
}

}  // namespace tk
