#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/core/Object.h"
#include "toolkit/core/StringList.h"
#include "toolkit/win/Control.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/ImageList.h"

namespace skin {

class TzubSkinControl;
class TzubSkinEngine;
class TzubSkinWindow;

// ---- Process-wide state of the engine unit ----------------------------------------------

// The installed CBT hook, or null.
HHOOK HookHandle();
// The engine that installed the hook, or null.
TzubSkinEngine* ProcessEngine();
// Installs the thread hook for engine, which becomes the process-wide engine; false when a
// hook is installed already.
bool InstallSkinHook(TzubSkinEngine* engine);
// Removes the hook when engine installed it.
void RemoveSkinHook(TzubSkinEngine* engine);

// The form a form frame is made for while the engine skins its own form.
tk::TCustomForm* FormBeingSkinned();
void SetFormBeingSkinned(tk::TCustomForm* form);
// The dialog a native frame saw destroyed last; the next dialog activation consumes it.
HWND LastDestroyedDialog();
void SetLastDestroyedDialog(HWND wnd);

// Window classes whose activation attaches a frame (ignoring case), and toolkit classes whose
// border the border skinner leaves alone.
tk::TStringList& AutoSkinClassList();
tk::TStringList& BorderExemptClassList();
void AddAutoSkinClass(const std::string& name);
void AddBorderExemptClass(const std::string& name);

// Given as Images to main menus without their own while they are owner-drawn.
tk::TImageList& MenuImageList();
// Image 0 is the check mark drawn before checked menu items without an image.
tk::TImageList& CheckMarkImageList();

// Whether wnd answers the already-skinned query with non-zero.
bool IsWindowSkinned(HWND wnd);
// The window's class name as the hook and the native lookup compare it: at most 99
// characters, longer names cut; empty for a window that does not exist.
std::string WindowClassName(HWND wnd);

// The CBT hook procedure.
LRESULT CALLBACK CBTHookProc(int code, WPARAM wParam, LPARAM lParam);

// ---- Skinner registries ----------------------------------------------------------------

using TControlSkinnerFactory = TzubSkinControl* (*)(tk::TControl* control, TzubSkinWindow* frame);
using TWndSkinnerFactory = TzubSkinControl* (*)(HWND wnd, TzubSkinWindow* frame);

struct TControlSkinnerRow {
  tk::TClass ControlClass;
  TControlSkinnerFactory Create;
};
struct TWndSkinnerRow {
  // Upper case, at most 67 characters.
  std::string ClassName;
  TWndSkinnerFactory Create;
};

void RegisterControlSkinners(const std::vector<TControlSkinnerRow>& rows);
void RegisterWndSkinners(const std::vector<TWndSkinnerRow>& rows);
// Empties both tables.
void ClearSkinnerRegistries();

// The skinner for a toolkit control: the last registered row whose class the control is or
// derives from; null when none matches.
TzubSkinControl* CreateControlSkinner(tk::TControl* control, TzubSkinWindow* frame);
// The skinner for a native child window, looked up by upper-case class name and, for buttons,
// by button type; null when none matches.
TzubSkinControl* CreateWndSkinner(HWND wnd, TzubSkinWindow* frame);
// The name the native lookup uses for a window of that (upper-case) class and style; empty
// when the window gets no skinner whatever the table holds.
std::string WndSkinnerLookupName(const std::string& upperClassName, LONG_PTR style);

}  // namespace skin
