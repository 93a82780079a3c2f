// Skin packages stored with a form, and finding a skin file by name.
#include <windows.h>

#include <fstream>
#include <iterator>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileSystem.h"

namespace skin {

namespace {

// How many fresh names a stored package is tried under before loading gives up: a temporary
// directory that cannot be written must not hang the program.
constexpr int kSaveAttempts = 8;

// directory + stem + ".zsk", or with 1, 2, 3 ... before the extension: the first name no file
// has yet.
std::string FirstFreeName(const std::string& directory, const std::string& stem) {
  std::string name = directory + stem + ".zsk";
  for (int n = 1; tk::FileExists(name); ++n) name = directory + stem + std::to_string(n) + ".zsk";
  return name;
}

bool SaveBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

std::optional<std::vector<std::uint8_t>> LoadBytes(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string WithBackslash(std::string directory) {
  if (!directory.empty() && directory.back() != '\\') directory += '\\';
  return directory;
}

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExecutableDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full(path, length);
  const auto slash = full.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : full.substr(0, slash);
}

std::string WindowsDirectory() {
  char path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string SystemDirectory() {
  char path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  return length < MAX_PATH ? std::string(path, length) : std::string();
}

// Suppresses the system's critical-error boxes (a missing disk in a drive named by a skin
// path) while a skin file is searched for.
class TErrorModeScope {
 public:
  TErrorModeScope() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~TErrorModeScope() { SetErrorMode(previous_); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

 private:
  UINT previous_;
};

std::string ResolveSkinFile(const std::string& value) {
  const TErrorModeScope errorMode;
  if (tk::FileExists(value)) return value;
  const std::string name = FileNamePart(value);
  if (name.empty()) return {};
  for (const std::string& directory :
       {ExecutableDirectory(), WindowsDirectory(), SystemDirectory()}) {
    if (directory.empty()) continue;
    const std::string candidate = WithBackslash(directory) + name;
    if (tk::FileExists(candidate)) return candidate;
  }
  return {};
}

std::string SaveStoredSkin(const std::vector<std::uint8_t>& bytes, bool fixedName) {
  const std::string directory = WithBackslash(tk::TempDirectory());
  for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
    const std::string name =
        FirstFreeName(directory, fixedName ? std::string("ZUBSKNT") : tk::NewGuidString());
    if (SaveBytes(name, bytes)) return name;
    tk::RemoveFile(name);
    if (fixedName) break;
  }
  throw tk::Exception("Failed to read skin file!");
}

std::optional<std::vector<std::uint8_t>> StoredSkinBytes(const std::string& skinFile) {
  if (skinFile.empty() || !tk::FileExists(skinFile)) return std::nullopt;
  return LoadBytes(skinFile);
}

}  // namespace

// ---- Additional built-in skins -----------------------------------------------------------

TzubSkinCollectionItem::TzubSkinCollectionItem() : reader_(std::make_unique<TzubSkinReader>()) {}

TzubSkinCollectionItem::~TzubSkinCollectionItem() = default;

void TzubSkinCollectionItem::ReadSkinData(const std::vector<std::uint8_t>& bytes) {
  const tk::ScopedTempFile file(SaveStoredSkin(bytes, true));
  const std::string remembered = skinFile_;
  reader_->OpenSkin(file.Name(), password_);
  skinFile_ = remembered;
}

std::optional<std::vector<std::uint8_t>> TzubSkinCollectionItem::WriteSkinData() const {
  return StoredSkinBytes(skinFile_);
}

TzubSkinCollectionItem* TzubSkinCollection::Add() {
  items_.push_back(std::make_unique<TzubSkinCollectionItem>());
  return items_.back().get();
}

void TzubSkinCollection::Assign(const TzubSkinCollection& other) {
  if (&other == this) return;
  items_.clear();
  for (const auto& item : other.items_) {
    TzubSkinCollectionItem* copy = Add();
    copy->SetSkinFile(item->SkinFile());
    copy->SetPassword(item->Password());
  }
}

// ---- The engine's stored skin -----------------------------------------------------------

void TzubSkinEngine::ReadSkinData(const std::vector<std::uint8_t>& bytes) {
  const tk::ScopedTempFile file(SaveStoredSkin(bytes, false));
  const std::string remembered = skinFile_;
  SetSkinFile(file.Name());
  skinFile_ = remembered;
}

std::optional<std::vector<std::uint8_t>> TzubSkinEngine::WriteSkinData() const {
  if (!builtIn_) return std::nullopt;
  return StoredSkinBytes(skinFile_);
}

void TzubSkinEngine::SetSkinFile(const std::string& value) {
  const std::string resolved = ResolveSkinFile(value);
  if (resolved.empty()) return;
  skinFile_ = resolved;
  try {
    reader_->OpenSkin(skinFile_, password_);
  } catch (...) {
    // The reader is empty now: the frames go back to the windows' own look instead of
    // keeping the old skin's outline and styles with nothing to paint them from.
    skinFile_.clear();
    for (TzubSkinWindow* frame : std::vector<TzubSkinWindow*>(frames_)) frame->SetSkinned(false);
    if (!Designing()) throw;
  }
}

void TzubSkinEngine::DefineProperties(std::vector<tk::TDefinedProperty>& properties) {
  tk::TComponent::DefineProperties(properties);
  properties.push_back({"SkinData",
                        [this](const std::vector<std::uint8_t>& bytes) { ReadSkinData(bytes); },
                        [this] { return WriteSkinData(); }});
}

}  // namespace skin
