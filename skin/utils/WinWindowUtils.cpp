#include "WinWindowUtils.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <utility>

namespace skin {

namespace {

constexpr char kUser32Name[] = "User32.dll";

constexpr DWORD kVersionInfoSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionInfoSize);
constexpr DWORD kWin95Major = 4;
constexpr DWORD kWin95Minor = 0;
constexpr DWORD kPointReleaseMinMajor = 5;
constexpr DWORD kPointReleaseMinMinor = 1;
constexpr DWORD kNT60Major = 6;
constexpr DWORD kNT60Minor = 0;

constexpr int kSeparatorRowOffset = 2;
constexpr int kSeparatorEdgeGap = 2;
constexpr int kSeparatorGutterGap = 4;

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TGetComboBoxInfo = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);
using TGetAncestor = HWND(WINAPI*)(HWND, UINT);
using TInternalGetWindowText = int(WINAPI*)(HWND, LPWSTR, int);

// Owns the module handle of "User32.dll" once a lookup has loaded it.
class TUser32Library {
 public:
  TUser32Library() = default;
  ~TUser32Library() { Release(); }
  TUser32Library(const TUser32Library&) = delete;
  TUser32Library& operator=(const TUser32Library&) = delete;

  HMODULE Get() const { return module_; }
  HMODULE Load() {
    if (module_ == nullptr) module_ = LoadLibraryA(kUser32Name);
    return module_;
  }
  void Release() {
    if (module_ != nullptr) FreeLibrary(std::exchange(module_, nullptr));
  }

 private:
  HMODULE module_ = nullptr;
};

struct TUser32Procs {
  TUser32ProcResolver resolver = nullptr;
  TGetScrollBarInfo getScrollBarInfo = nullptr;
  TGetComboBoxInfo getComboBoxInfo = nullptr;
  TGetAncestor getAncestor = nullptr;
  TInternalGetWindowText internalGetWindowText = nullptr;
  bool internalGetWindowTextLookedUp = false;
  bool lookupFailed = false;
};

struct TUser32Lookups {
  TUser32Library library;
  TUser32Procs procs;
};

// The unit's lookup state; its destruction at program end frees the module.
TUser32Lookups& Lookups() {
  static TUser32Lookups lookups;
  return lookups;
}

template <typename Proc>
Proc FindUser32Proc(const char* name) {
  TUser32Lookups& lookups = Lookups();
  if (lookups.procs.resolver != nullptr) return std::bit_cast<Proc>(lookups.procs.resolver(name));
  const HMODULE module = lookups.library.Load();
  return module != nullptr ? std::bit_cast<Proc>(GetProcAddress(module, name)) : nullptr;
}

// The rule the three wrappers share: nothing once any of their lookups has failed; else the
// wrapper's own pointer, looked up the first time, and a missing name fails all three.
template <typename Proc>
Proc SharedLookup(Proc TUser32Procs::*slot, const char* name) {
  TUser32Procs& procs = Lookups().procs;
  if (procs.lookupFailed) return nullptr;
  if (procs.*slot == nullptr) {
    procs.*slot = FindUser32Proc<Proc>(name);
    if (procs.*slot == nullptr) procs.lookupFailed = true;
  }
  return procs.*slot;
}

TVersionFlags ReadVersionFlags() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = kVersionInfoSize;
  if (!GetVersionExA(&info)) return {};
  return VersionFlagsFor(info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId);
}

// Read during the program's static initialisation, before any window exists.
const TVersionFlags kStartupFlags = ReadVersionFlags();

}  // namespace

BOOL DynGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO& info) {
  const TGetScrollBarInfo proc = SharedLookup(&TUser32Procs::getScrollBarInfo, "GetScrollBarInfo");
  return proc != nullptr ? proc(wnd, objectId, &info) : FALSE;
}

BOOL DynGetComboBoxInfo(HWND wnd, COMBOBOXINFO& info) {
  const TGetComboBoxInfo proc = SharedLookup(&TUser32Procs::getComboBoxInfo, "GetComboBoxInfo");
  return proc != nullptr ? proc(wnd, &info) : FALSE;
}

HWND DynGetAncestor(HWND wnd, UINT flags) {
  const TGetAncestor proc = SharedLookup(&TUser32Procs::getAncestor, "GetAncestor");
  return proc != nullptr ? proc(wnd, flags) : nullptr;
}

std::wstring GetInternalWindowTextW(HWND wnd) {
  if (!kStartupFlags.NTFamily) return {};
  TUser32Procs& procs = Lookups().procs;
  if (!procs.internalGetWindowTextLookedUp) {
    procs.internalGetWindowText = FindUser32Proc<TInternalGetWindowText>("InternalGetWindowText");
    procs.internalGetWindowTextLookedUp = true;
  }
  if (procs.internalGetWindowText == nullptr) return {};
  const int length = GetWindowTextLengthW(wnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  // The count includes the terminating nul, which lands on the string's own terminator.
  const int copied = procs.internalGetWindowText(wnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::clamp(copied, 0, length)));
  return text;
}

HMODULE User32Module() {
  return Lookups().library.Get();
}

void ResetUser32Lookups(TUser32ProcResolver resolver) {
  TUser32Lookups& lookups = Lookups();
  lookups.library.Release();
  lookups.procs = TUser32Procs{.resolver = resolver};
}

TVersionFlags VersionFlagsFor(DWORD majorVersion, DWORD minorVersion, DWORD platformId) {
  const bool nt = platformId == VER_PLATFORM_WIN32_NT;
  return TVersionFlags{
      .NTFamily = nt,
      .Win95 = platformId == VER_PLATFORM_WIN32_WINDOWS && majorVersion == kWin95Major &&
               minorVersion == kWin95Minor,
      .NTPointRelease =
          nt && majorVersion >= kPointReleaseMinMajor && minorVersion >= kPointReleaseMinMinor,
      .NT60 = nt && majorVersion == kNT60Major && minorVersion == kNT60Minor,
  };
}

bool IsWin95() {
  return kStartupFlags.Win95;
}

bool IsNTPointRelease() {
  return kStartupFlags.NTPointRelease;
}

bool IsNT60() {
  return kStartupFlags.NT60;
}

std::string StripAmpersands(std::string text) {
  std::erase(text, '&');
  return text;
}

bool PointInRect(int x, int y, const tk::TRect& r) {
  return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

bool PointInRect(const tk::TPoint& p, const tk::TRect& r) {
  return PointInRect(p.X, p.Y, r);
}

void DrawMenuSeparatorLine(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color,
                           bool leftToRight, int gutterWidth) {
  const int y = r.Top + kSeparatorRowOffset;
  const int from =
      leftToRight ? r.Left + gutterWidth + kSeparatorGutterGap : r.Left + kSeparatorEdgeGap;
  const int to =
      leftToRight ? r.Right - kSeparatorEdgeGap : r.Right - gutterWidth - kSeparatorGutterGap;
  canvas.Pen().Color = color;
  canvas.MoveTo(from, y);
  canvas.LineTo(to, y);
}

}  // namespace skin
