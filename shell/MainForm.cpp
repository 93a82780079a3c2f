#include "MainForm.h"

#include <commdlg.h>
#include <shlobj.h>

#include <exception>
#include <memory>

#include "MdiForms.h"
#include "SecondForm.h"
#include "StoredChild.h"
#include "skin/engine/SkinEngine.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/StdCtrls.h"

namespace orv {

namespace {

// The form's font: 宋体 at 16 pixels. The toolkit keeps face names in the ANSI code page;
// where that cannot spell the Chinese name, the font's English name selects the same face.
constexpr const wchar_t* kFontFace = L"\u5b8b\u4f53";
constexpr const char* kFontFaceLatin = "SimSun";
constexpr int kFontHeight = -16;

constexpr LPARAM kAltDown = LPARAM{1} << 29;
constexpr const wchar_t* kMessageText = L"This message box is skinned like the forms.";
constexpr const wchar_t* kMessageCaption = L"Message";
constexpr const wchar_t* kOpenFilter = L"Skin packages (*.zsk)\0*.zsk\0All files (*.*)\0*.*\0";
constexpr DWORD kOpenFileBufferLength = 32768;
constexpr const wchar_t* kFolderTitle = L"Choose a folder";

// The item list the folder browser answers with belongs to the caller.
struct TItemListFree {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using TItemList = std::unique_ptr<ITEMIDLIST, TItemListFree>;

std::string FontFaceName() {
  char name[LF_FACESIZE]{};
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, kFontFace, -1, name,
                                         sizeof name, nullptr, &lossy);
  return length > 0 && !lossy ? std::string(name) : std::string(kFontFaceLatin);
}

}  // namespace

const std::array<TMainForm::TAction, 8> TMainForm::kActions{{
    {"MessageButton", 'M', &TMainForm::ShowMessageBox},
    {"SecondButton", 'S', &TMainForm::ShowSecondForm},
    {"MdiButton", 'D', &TMainForm::ShowMdiForms},
    {"OpenButton", 'O', &TMainForm::OpenFile},
    {"SkinButton", 'K', &TMainForm::NextSkin},
    {"ActiveButton", 'A', &TMainForm::SwitchActive},
    {"FolderButton", 'F', &TMainForm::ChooseFolder},
    {"MenuButton", 'P', &TMainForm::ShowMenu},
}};

TMainForm::TMainForm(tk::TComponent* owner) : TForm(owner) {
  SetOnCreate([this](tk::TObject*) { Connect(); });
}

void TMainForm::Connect() {
  engine_ = &StoredChild<skin::TzubSkinEngine>(*this, "SkinEngine");
  status_ = &StoredChild<tk::TLabel>(*this, "StatusLabel");
  menu_ = &StoredChild<tk::TPopupMenu>(*this, "SampleMenu");
  for (int i = 0; i < menu_->Items()->Count(); ++i) {
    tk::TMenuItem* item = menu_->Items()->Items(i);
    item->SetOnClick([this, item](tk::TObject*) {
      if (item->Name() == "CheckedItem") item->SetChecked(!item->Checked());
      if (item->Name() == "SkinItem") NextSkin();
      note_ = L"chose " + item->WideCaption();
      ShowStatus();
    });
  }
  for (const TAction& action : kActions) {
    const auto run = action.Run;
    StoredChild<tk::TButton>(*this, action.Button).SetOnClick([this, run](tk::TObject*) {
      Guarded(run);
    });
  }
  skins_ = std::make_unique<TSkinChoice>(ExecutableFolder());
  auto* events = new tk::TApplicationEvents(this);
  events->SetOnMessage([this](MSG& msg, bool& handled) { ApplicationMessage(msg, handled); });
  ApplyFont();
  ShowStatus();
}

// The toolkit's controls have no font of their parent's, so each is given the form's.
void TMainForm::ApplyFont() {
  tk::TFont& font = Font();
  font.SetName(FontFaceName());
  font.SetHeight(kFontHeight);
  font.SetCharset(ANSI_CHARSET);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetFont(font);
}

void TMainForm::Notification(tk::TComponent* component, tk::TOperation operation) {
  if (operation == tk::opRemove) {
    if (component == engine_) engine_ = nullptr;
    if (component == status_) status_ = nullptr;
    if (component == menu_) menu_ = nullptr;
    if (component == secondForm_) secondForm_ = nullptr;
    if (component == mdiForm_) mdiForm_ = nullptr;
  }
  TForm::Notification(component, operation);
}

// Alt+letter arrives as WM_SYSKEYDOWN for the window with the focus; the form it belongs to
// decides what the letter does.
void TMainForm::ApplicationMessage(MSG& msg, bool& handled) {
  if (msg.message != WM_SYSKEYDOWN || (msg.lParam & kAltDown) == 0) return;
  const HWND form = GetAncestor(msg.hwnd, GA_ROOT);
  if (HandleAllocated() && form == Handle())
    handled = RunKey(msg.wParam);
  else if (secondForm_ != nullptr && secondForm_->HandleAllocated() &&
           form == secondForm_->Handle())
    handled = secondForm_->RunKey(msg.wParam);
}

bool TMainForm::RunKey(WPARAM key) {
  for (const TAction& action : kActions) {
    if (action.Key != key) continue;
    Guarded(action.Run);
    return true;
  }
  return false;
}

void TMainForm::Guarded(void (TMainForm::*action)()) {
  note_.clear();
  try {
    (this->*action)();
  } catch (const std::exception& e) {
    note_ = tk::WideFromAnsi(e.what());
  }
  ShowStatus();
}

void TMainForm::ShowMessageBox() {
  MessageBoxW(Handle(), kMessageText, kMessageCaption, MB_OK | MB_ICONINFORMATION);
}

void TMainForm::ShowSecondForm() {
  if (secondForm_ == nullptr) {
    secondForm_ = new TSecondForm(this);
    secondForm_->InitializeForm();
  }
  secondForm_->Show();
  SkinNewForms();
}

void TMainForm::ShowMdiForms() {
  if (mdiForm_ == nullptr) {
    mdiForm_ = new TMdiFrameForm(this);
    mdiForm_->InitializeForm();
  }
  mdiForm_->Show();
  SkinNewForms();
}

// The engine skins the forms that exist when the main form first shows; forms made later
// join the same way (forms already skinned are passed over).
void TMainForm::SkinNewForms() {
  if (engine_ != nullptr && engine_->SkinAllForms()) engine_->SkinScreenForms();
}

void TMainForm::OpenFile() {
  std::wstring file(kOpenFileBufferLength, L'\0');
  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = Handle();
  open.lpstrFilter = kOpenFilter;
  open.lpstrFile = file.data();
  open.nMaxFile = kOpenFileBufferLength;
  open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&open)) return;
  file.resize(file.find(L'\0'));
  note_ = L"chose " + file;
}

void TMainForm::ChooseFolder() {
  wchar_t name[MAX_PATH]{};
  BROWSEINFOW browse{};
  browse.hwndOwner = Handle();
  browse.pszDisplayName = name;
  browse.lpszTitle = kFolderTitle;
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  const TItemList chosen(SHBrowseForFolderW(&browse));
  if (chosen == nullptr) return;
  wchar_t path[MAX_PATH]{};
  note_ = L"chose " + std::wstring(SHGetPathFromIDListW(chosen.get(), path) ? path : name);
}

// The menu opens below its button, as a drop-down would.
void TMainForm::ShowMenu() {
  if (menu_ == nullptr) return;
  const tk::TButton& button = StoredChild<tk::TButton>(*this, "MenuButton");
  const tk::TPoint below = button.ClientToScreen(tk::TPoint{0, button.Height()});
  menu_->Popup(below.X, below.Y);
}

void TMainForm::NextSkin() {
  if (engine_ != nullptr) skins_->Next(*engine_);
}

void TMainForm::SwitchActive() {
  if (engine_ != nullptr) engine_->SetActive(!engine_->Active());
}

void TMainForm::ShowStatus() {
  if (status_ == nullptr || skins_ == nullptr) return;
  std::wstring text = L"Skin: " + tk::WideFromAnsi(skins_->Current().Name);
  text += engine_ != nullptr && engine_->Active() ? L", skinning on" : L", skinning off";
  if (!note_.empty()) text += L"; " + note_;
  status_->SetWideText(text);
}

}  // namespace orv
