#include "SkinChoice.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "skin/engine/SkinEngine.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/win/Resources.h"

namespace orv {

namespace {

constexpr const char* kBuiltInName = "built-in";
constexpr const char* kPackagePattern = "*.zsk";
constexpr const char* kPackageExtension = ".zsk";

class TFindHandle {
 public:
  explicit TFindHandle(HANDLE handle) : handle_(handle) {}
  ~TFindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::vector<std::string> PackagesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const TFindHandle find(FindFirstFileA((folder + kPackagePattern).c_str(), &found));
  if (find.Get() == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      names.emplace_back(found.cFileName);
  } while (FindNextFileA(find.Get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

std::string WithoutExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// The engine reads packages from files: the built-in bytes go to a temporary file that is
// deleted once the engine has read it.
void ApplyBuiltIn(skin::TzubSkinEngine& engine) {
  const std::optional<std::string> bytes = tk::LoadResourceText(nullptr, kBuiltInSkinResource);
  if (!bytes) throw tk::Exception("The program carries no built-in skin");
  const tk::ScopedTempFile file(tk::TempDirectory() + tk::NewGuidString() + kPackageExtension);
  {
    std::ofstream out(file.Name(), std::ios::binary);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    if (!out.flush()) throw tk::Exception("Cannot write the built-in skin to " + file.Name());
  }
  engine.SetSkinFile(file.Name());
}

}  // namespace

TSkinChoice::TSkinChoice(const std::string& folder) {
  skins_.push_back({kBuiltInName, ""});
  for (const std::string& name : PackagesIn(folder))
    skins_.push_back({WithoutExtension(name), folder + name});
}

void TSkinChoice::Next(skin::TzubSkinEngine& engine) {
  current_ = (current_ + 1) % skins_.size();
  const TSkin& skin = skins_[current_];
  if (skin.FileName.empty())
    ApplyBuiltIn(engine);
  else
    engine.SetSkinFile(skin.FileName);
}

std::string ExecutableFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of("\\/") + 1);
}

}  // namespace orv
