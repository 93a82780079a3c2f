#include "SkinHooks.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinWindow.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/Stream.h"
#include "toolkit/core/SysUtils.h"

namespace skin {

namespace {

constexpr int kMenuImageSize = 16;
constexpr tk::TColor kCheckMarkMaskColor = 0xFFFFFF;
constexpr const wchar_t* kCheckMarkResource = L"ZUBSKIN_MENU_CHECKED";

// Class names the hook reads are cut to what this buffer holds, terminator included.
constexpr int kClassNameBuffer = 100;

// A size grip with exactly this extended style is left alone.
constexpr DWORD kKeptGripExStyle = WS_EX_NOPARENTNOTIFY;

// A bitmap resource is a BMP file without its 14-byte file header.
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr std::size_t kFileSizeField = 2;
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::uint32_t kRgbQuadSize = 4;
constexpr std::uint32_t kMaxPaletteBits = 8;
constexpr std::uint32_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);

struct THookState {
  HHOOK Hook = nullptr;
  TzubSkinEngine* Engine = nullptr;
  tk::TCustomForm* FormBeingSkinned = nullptr;
  HWND LastDestroyedDialog = nullptr;
};

THookState& HookState() {
  static THookState state;
  return state;
}

// Where the pixels start in a palette bitmap resource: after the info header and the palette.
std::uint32_t PixelOffset(const BITMAPINFOHEADER& header) {
  const std::uint32_t colors = header.biClrUsed != 0 ? header.biClrUsed : 1u << header.biBitCount;
  return kFileHeaderSize + header.biSize + colors * kRgbQuadSize;
}

// Reads the bitmap resource name of the running executable into image. The engine's bitmaps
// have palettes and a 40-byte info header; false for anything else and for a missing or
// damaged resource.
bool LoadBitmapResource(const wchar_t* name, tk::TBitmap& image) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (info == nullptr) return false;
  const DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || size < kInfoHeaderSize) return false;
  BITMAPINFOHEADER header;
  std::memcpy(&header, data, sizeof header);
  if (header.biSize < kInfoHeaderSize || header.biBitCount > kMaxPaletteBits) return false;

  std::vector<std::uint8_t> file(kFileHeaderSize + size);
  const std::uint32_t fileSize = static_cast<std::uint32_t>(file.size());
  const std::uint32_t pixelOffset = PixelOffset(header);
  std::memcpy(file.data(), &kBmpSignature, sizeof kBmpSignature);
  std::memcpy(file.data() + kFileSizeField, &fileSize, sizeof fileSize);
  std::memcpy(file.data() + kPixelOffsetField, &pixelOffset, sizeof pixelOffset);
  std::memcpy(file.data() + kFileHeaderSize, data, size);
  try {
    tk::TMemoryStream stream(std::move(file));
    image.LoadFromStream(stream);
  } catch (const tk::Exception&) {
    return false;
  }
  return true;
}

// The engine unit's lists, made together at first use. Members are destroyed in reverse
// order: the border-exempt list first, the check-mark images last.
struct TUnitLists {
  tk::TImageList CheckMarkImages{kMenuImageSize, kMenuImageSize};
  tk::TImageList MenuImages{kMenuImageSize, kMenuImageSize};
  tk::TStringList AutoSkinClasses;
  tk::TStringList BorderExemptClasses;

  TUnitLists() {
    tk::TBitmap checkMark;
    if (LoadBitmapResource(kCheckMarkResource, checkMark)) {
      checkMark.SetTransparent(true);
      CheckMarkImages.AddMasked(checkMark, kCheckMarkMaskColor);
    }
    BorderExemptClasses.Add("TDelphiWizard");
    for (const char* name : {"TSelectDirDlg", "TForm", "TfrmRegBrowser", "TfrmFTPBrowser"})
      AutoSkinClasses.Add(name);
  }
};

TUnitLists& UnitLists() {
  static TUnitLists lists;
  return lists;
}

// Dialogs create size grips the skinned frame has no place for; creation is refused while
// the skin is active, except for a grip whose extended style is exactly WS_EX_NOPARENTNOTIFY.
bool RefusesWindow(HWND wnd, const CBT_CREATEWNDW& create) {
  if (tk::UpperCase(WindowClassName(wnd)) != "SCROLLBAR") return false;
  const CREATESTRUCTW& params = *create.lpcs;
  return (params.style & SBS_SIZEGRIP) != 0 && params.dwExStyle != kKeptGripExStyle;
}

void Activating(TzubSkinEngine& engine, HWND wnd) {
  THookState& state = HookState();
  const std::string name = WindowClassName(wnd);
  if (name == "TTabDockHost" || name == "TConjoinDockHost") {
    if (!IsWindowSkinned(wnd)) engine.AddSkinWindow(wnd, true);
  } else if (name == "TMessageForm" || name == "#32770") {
    const HWND lastDestroyed = std::exchange(state.LastDestroyedDialog, nullptr);
    if (wnd != lastDestroyed && engine.SkinDialogs() && !IsWindowSkinned(wnd))
      engine.AddSkinWindow(wnd, true);
  } else if (AutoSkinClassList().IndexOf(name) >= 0 && !IsWindowSkinned(wnd)) {
    engine.AddSkinWindow(wnd, false);
  }
}

}  // namespace

HHOOK HookHandle() {
  return HookState().Hook;
}

TzubSkinEngine* ProcessEngine() {
  return HookState().Engine;
}

bool InstallSkinHook(TzubSkinEngine* engine) {
  THookState& state = HookState();
  if (state.Hook != nullptr || engine == nullptr) return false;
  state.Hook = SetWindowsHookExW(WH_CBT, CBTHookProc, nullptr, GetCurrentThreadId());
  if (state.Hook == nullptr) return false;
  state.Engine = engine;
  return true;
}

void RemoveSkinHook(TzubSkinEngine* engine) {
  THookState& state = HookState();
  if (engine == nullptr || state.Engine != engine) return;
  UnhookWindowsHookEx(state.Hook);
  state.Hook = nullptr;
  state.Engine = nullptr;
}

tk::TCustomForm* FormBeingSkinned() {
  return HookState().FormBeingSkinned;
}

void SetFormBeingSkinned(tk::TCustomForm* form) {
  HookState().FormBeingSkinned = form;
}

HWND LastDestroyedDialog() {
  return HookState().LastDestroyedDialog;
}

void SetLastDestroyedDialog(HWND wnd) {
  HookState().LastDestroyedDialog = wnd;
}

tk::TStringList& AutoSkinClassList() {
  return UnitLists().AutoSkinClasses;
}

tk::TStringList& BorderExemptClassList() {
  return UnitLists().BorderExemptClasses;
}

void AddAutoSkinClass(const std::string& name) {
  tk::TStringList& list = AutoSkinClassList();
  if (list.IndexOf(name) < 0) list.Add(name);
}

void AddBorderExemptClass(const std::string& name) {
  BorderExemptClassList().Add(name);
}

tk::TImageList& MenuImageList() {
  return UnitLists().MenuImages;
}

tk::TImageList& CheckMarkImageList() {
  return UnitLists().CheckMarkImages;
}

bool IsWindowSkinned(HWND wnd) {
  return SendMessageW(wnd, kSkinnedQuery, 0, 0) != 0;
}

std::string WindowClassName(HWND wnd) {
  std::array<char, kClassNameBuffer> buffer{};
  const int length = GetClassNameA(wnd, buffer.data(), kClassNameBuffer);
  return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

LRESULT CALLBACK CBTHookProc(int code, WPARAM wParam, LPARAM lParam) {
  // The hook runs inside window creation and activation: nothing may escape to the system,
  // so a failure while attaching a frame leaves that window as it is.
  try {
    TzubSkinEngine* engine = ProcessEngine();
    if (engine != nullptr && (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) &&
        engine->SkinningActive()) {
      const HWND wnd = reinterpret_cast<HWND>(wParam);
      if (code == HCBT_CREATEWND) {
        if (RefusesWindow(wnd, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam))) return 1;
      } else {
        Activating(*engine, wnd);
      }
    }
  } catch (...) {
  }
  return CallNextHookEx(HookHandle(), code, wParam, lParam);
}

}  // namespace skin
