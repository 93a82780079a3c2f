#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/Types.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"

namespace skin {

// System functions that only newer systems export, looked up in "User32.dll" on first use.
// A failed lookup of GetScrollBarInfo, GetComboBoxInfo or GetAncestor disables all three for
// the rest of the run: each then answers 0 without calling anything. Callers treat 0 as a
// failed call.
BOOL DynGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO& info);
BOOL DynGetComboBoxInfo(HWND wnd, COMBOBOXINFO& info);
HWND DynGetAncestor(HWND wnd, UINT flags);
// The window's text as InternalGetWindowText reads it (without sending a message) on the NT
// family; empty on other systems or when the function is missing.
std::wstring GetInternalWindowTextW(HWND wnd);

// "User32.dll" as loaded by the first lookup, nil before it; freed when the program ends.
HMODULE User32Module();

// Finds one export of "User32.dll" by name; nil when it is missing.
using TUser32ProcResolver = FARPROC (*)(const char* procName);
// Forgets every pointer looked up and the failure flag and frees User32Module, so that the
// next calls look their functions up again, through resolver, or through LoadLibraryA and
// GetProcAddress when resolver is nil. For tests that simulate a system without an export.
void ResetUser32Lookups(TUser32ProcResolver resolver = nullptr);

// The version flags follow from GetVersionExA's major version, minor version and platform id.
struct TVersionFlags {
  bool NTFamily = false;
  // 4.0 on the non-NT family: frame skinners give the window no region there.
  bool Win95 = false;
  // NT family, major >= 5 and minor >= 1 (5.1, 5.2, 6.1 and 6.2; not 5.0, 6.0 or 10.0):
  // push buttons repaint on WM_UPDATEUISTATE.
  bool NTPointRelease = false;
  // NT family 6.0, which frame skinners treat apart.
  bool NT60 = false;
  friend bool operator==(const TVersionFlags&, const TVersionFlags&) = default;
};
TVersionFlags VersionFlagsFor(DWORD majorVersion, DWORD minorVersion, DWORD platformId);

// The flags of the running system, taken once at start-up.
bool IsWin95();
bool IsNTPointRelease();
bool IsNT60();

// Text with every "&" removed, both of a doubled "&&" included.
std::string StripAmpersands(std::string text);

// Whether the point lies in R with all four edges counted as inside.
bool PointInRect(int x, int y, const tk::TRect& r);
bool PointInRect(const tk::TPoint& p, const tk::TRect& r);

// The work area of the monitor nearest to the window once the application has a main form,
// else the primary work area from SystemParametersInfoA; the bottom is reduced by 1 in both
// cases.
tk::TRect GetWorkArea(HWND wnd);

// Sets the form's Left, Top, Width and Height from r, in that order.
void SetFormBounds(tk::TCustomForm& form, const tk::TRect& r);
// The first form of the screen's list whose window is wnd, or null. Forms without a window
// are passed over: a window made now could not be wnd.
tk::TCustomForm* FindFormByHandle(HWND wnd);

// The draw-state query a frame skinner answers: 1 when it draws its window active, 2 when
// inactive; a window without a frame answers 0.
inline constexpr UINT kDrawStateQuery = 0x2AAB;
// Whether the form is to be drawn active: the frame's answer first, then the application's
// state and the MDI frame's active child. A null form counts as the main form.
bool IsFormActive(tk::TCustomForm* form);

// Installs owner drawing on item and every item below it: each gets the two handlers (empty
// ones remove them). An item under a named top-level item that has SubMenuImages is recorded
// with those images for GetMenuItemImages.
void AssignMenuItemEvents(tk::TMenuItem* item, const tk::TMenuMeasureItemEvent& onMeasure,
                          const tk::TMenuDrawItemEvent& onDraw);
// The item is a direct child of its menu's root item and has a component name.
bool IsNamedTopLevelItem(const tk::TMenuItem* item);
// The image list whose images the item shows: recorded or inherited sub-menu images, else the
// menu's Images; null when there are none.
tk::TImageList* GetMenuItemImages(const tk::TMenuItem* item);

// The separator of an owner-drawn menu item: one line in color at R.Top + 2, from
// R.Left + gutterWidth + 4 to R.Right - 2 when leftToRight, else from R.Left + 2 to
// R.Right - gutterWidth - 4 (the end point not drawn). The pen keeps the colour.
void DrawMenuSeparatorLine(tk::TCanvas& canvas, const tk::TRect& r, tk::TColor color,
                           bool leftToRight, int gutterWidth);

}  // namespace skin
