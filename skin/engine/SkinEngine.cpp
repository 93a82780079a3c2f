#include "skin/engine/SkinEngine.h"

#include <algorithm>

#include "skin/engine/FlagScope.h"
#include "skin/engine/SkinHooks.h"
#include "skin/engine/SkinWindow.h"
#include "skin/engine/SkinWindowVCL.h"
#include "skin/engine/SkinWindowWnd.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/ColorUtils.h"
#include "skin/utils/PixelUtils.h"
#include "skin/utils/WinWindowUtils.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/FileSystem.h"
#include "toolkit/win/FormReader.h"
#include "toolkit/win/Properties.h"
#include "toolkit/win/Screen.h"

namespace skin {

namespace {

enum TSysMenuItem { smMinimize = 0, smMaximize = 1, smClose = 3 };

int WidthOf(const tk::TBitmap* bitmap) {
  return bitmap != nullptr ? bitmap->Width() : 0;
}
int HeightOf(const tk::TBitmap* bitmap) {
  return bitmap != nullptr ? bitmap->Height() : 0;
}

}  // namespace

TzubSkinEngine::TzubSkinEngine(tk::TComponent* owner) : tk::TComponent(owner) {
  if (owner == nullptr || !owner->Is<tk::TCustomForm>())
    throw tk::Exception("Must be placed on a Form");
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (owner->Components(i) != this && owner->Components(i)->Is<TzubSkinEngine>())
      throw tk::Exception("One form can only catch one TzubSkinEngine!");
  reader_ = std::make_unique<TzubSkinReader>();
  reader_->OnChange = [this](tk::TObject*) { SkinChange(); };
  scrollBtnRes_ = std::make_unique<TzubSkinScrollBtnRes>();
  progressBarRes_ = std::make_unique<TzubSkinProgressBarRes>();
  additionalSkins_ = std::make_unique<TzubSkinCollection>(this);
  CreateSysMenu();
  OwnerDrawMenu(sysMenu_.get());
  if (HookHandle() == nullptr && !Designing()) hookOwner_ = InstallSkinHook(this);
}

TzubSkinEngine::~TzubSkinEngine() {
  Destroying();
  if (hookOwner_) RemoveSkinHook(this);
  while (!frames_.empty()) delete frames_.front();
  RestoreAllMenus();
  scrollBtnRes_.reset();
  progressBarRes_.reset();
  reader_.reset();
  sysMenu_.reset();
  additionalSkins_.reset();
}

tk::TCustomForm* TzubSkinEngine::OwnerForm() const {
  return Owner() != nullptr && Owner()->Is<tk::TCustomForm>()
             ? static_cast<tk::TCustomForm*>(Owner())
             : nullptr;
}

// ---- Settings ---------------------------------------------------------------------------

void TzubSkinEngine::SetActive(bool value) {
  active_ = value;
  if (Designing()) return;
  const std::vector<TzubSkinWindow*> frames = frames_;
  for (TzubSkinWindow* frame : frames) frame->SetSkinned(active_);
}

void TzubSkinEngine::SetBuiltIn(bool value) {
  if (!Designing() && !Loading())
    throw tk::Exception("BuiltIn property only can be specified at design time!");
  if (value && !Loading() && (skinFile_.empty() || !tk::FileExists(skinFile_)))
    throw tk::Exception("Please specify the SkinFile property first!");
  builtIn_ = value;
}

void TzubSkinEngine::SetSkinAllForms(bool value) {
  skinAllForms_ = value;
  if (Designing() || Loading()) return;
  if (value)
    SkinScreenForms();
  else
    UnskinOtherForms();
}

void TzubSkinEngine::SetAdditionalBuiltInSkins(const TzubSkinCollection& value) {
  additionalSkins_->Assign(value);
}

void TzubSkinEngine::SetAutoSkinWndClassNames(const tk::TStringList& value) {
  autoSkinWndClassNames_.Clear();
  for (int i = 0; i < value.Count(); ++i) autoSkinWndClassNames_.Add(value.Strings(i));
  for (int i = 0; i < autoSkinWndClassNames_.Count(); ++i)
    AddAutoSkinClass(autoSkinWndClassNames_.Strings(i));
}

std::string TzubSkinEngine::AutoSkinWndClassNamesText() const {
  std::string text;
  for (int i = 0; i < autoSkinWndClassNames_.Count(); ++i) {
    if (i > 0) text += '\n';
    text += autoSkinWndClassNames_.Strings(i);
  }
  return text;
}

void TzubSkinEngine::SetAutoSkinWndClassNamesText(const std::string& text) {
  tk::TStringList lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.Add(line);
    start = end + 1;
  }
  SetAutoSkinWndClassNames(lines);
}

bool TzubSkinEngine::SkinningActive() const {
  return active_ && Ready() && !Designing();
}

// ---- System menu ------------------------------------------------------------------------

void TzubSkinEngine::CreateSysMenu() {
  sysMenu_ = std::make_unique<tk::TPopupMenu>(nullptr);
  sysMenu_->SetAutoHotkeys(tk::maManual);
  const std::string captions[] = {resSysMenuMin_, resSysMenuMax_, "-", resSysMenuClose_};
  for (const std::string& caption : captions) {
    auto* item = new tk::TMenuItem(sysMenu_.get());
    item->SetCaption(caption);
    sysMenu_->Items()->Add(item);
  }
  sysMenu_->Items()->Items(smMinimize)->SetOnClick([this](tk::TObject*) {
    if (sysMenuTarget_ != nullptr) sysMenuTarget_->SysMinimizeRestore();
  });
  sysMenu_->Items()->Items(smMaximize)->SetOnClick([this](tk::TObject*) {
    if (sysMenuTarget_ != nullptr) sysMenuTarget_->SysMaximizeRestore();
  });
  sysMenu_->Items()->Items(smClose)->SetOnClick([this](tk::TObject*) {
    if (sysMenuTarget_ != nullptr) sysMenuTarget_->SysClose();
  });
  sysMenu_->SetOnPopup([this](tk::TObject*) { SysMenuPopup(); });
}

void TzubSkinEngine::SysMenuPopup() {
  if (sysMenuTarget_ == nullptr) return;
  tk::TMenuItem* items = sysMenu_->Items();
  items->Items(smClose)->SetEnabled(sysMenuTarget_->CloseShown());
  items->Items(smMaximize)->SetEnabled(sysMenuTarget_->MaxShown());
  items->Items(smMinimize)->SetEnabled(sysMenuTarget_->MinShown());
}

void TzubSkinEngine::SetSysMenuCaption(int index, const std::string& caption) {
  if (sysMenu_->Items()->Count() > index) sysMenu_->Items()->Items(index)->SetCaption(caption);
}

void TzubSkinEngine::SetResSysMenuMin(const std::string& value) {
  SetSysMenuCaption(smMinimize, value);
  resSysMenuMin_ = value;
}

void TzubSkinEngine::SetResSysMenuMax(const std::string& value) {
  SetSysMenuCaption(smMaximize, value);
  resSysMenuMax_ = value;
}

void TzubSkinEngine::SetResSysMenuClose(const std::string& value) {
  SetSysMenuCaption(smClose, value);
  resSysMenuClose_ = value;
}

// ---- Frames -----------------------------------------------------------------------------

TzubSkinWindow* TzubSkinEngine::FindSkinWindow(HWND wnd) const {
  for (TzubSkinWindow* frame : frames_)
    if (frame->GetHandle() == wnd) return frame;
  return nullptr;
}

void TzubSkinEngine::AddSkinWindow(HWND wnd, bool deferInit) {
  if (wnd == nullptr || FindSkinWindow(wnd) != nullptr) return;
  tk::TCustomForm* form = FindFormByHandle(wnd);
  std::unique_ptr<TzubSkinWindow> frame;
  if (form == nullptr)
    frame = std::make_unique<TzubSkinWindowWnd>(this, deferInit);
  else
    frame =
        std::make_unique<TzubSkinWindowVCL>(form == OwnerForm() ? nullptr : form, this, deferInit);
  frame->Start(wnd);
  frames_.push_back(frame.release());
  frames_.back()->SkinChanged();
}

void TzubSkinEngine::RemoveSkinWindow(HWND wnd) {
  TzubSkinWindow* frame = nullptr;
  for (TzubSkinWindow* candidate : frames_)
    if (candidate->GetHandle() == wnd) {
      frame = candidate;
      break;
    }
  if (frame == nullptr) return;
  const TFlagScope removing(removing_);
  delete frame;
}

void TzubSkinEngine::FrameDestroyed(TzubSkinWindow* frame) {
  frames_.erase(std::remove(frames_.begin(), frames_.end(), frame), frames_.end());
  if (sysMenuTarget_ == frame) sysMenuTarget_ = nullptr;
}

void TzubSkinEngine::SkinForm(tk::TCustomForm* form) {
  if (form == nullptr) return;
  if (form->Is<tk::TForm>()) {
    AddSkinWindow(form->Handle(), false);
    return;
  }
  if (FindSkinWindow(form->Handle()) != nullptr) return;
  SetFormBeingSkinned(form);
  try {
    auto frame =
        std::make_unique<TzubSkinWindowVCL>(form == OwnerForm() ? nullptr : form, this, false);
    frame->Start(form->Handle());
    frames_.push_back(frame.release());
  } catch (...) {
    SetFormBeingSkinned(nullptr);
    throw;
  }
  SetFormBeingSkinned(nullptr);
}

void TzubSkinEngine::SkinScreenForms() {
  const TFlagScope skinningAll(skinningAllForms_);
  tk::TScreen& screen = tk::Screen();
  for (int i = 0; i < screen.FormCount(); ++i) {
    tk::TCustomForm* form = screen.Forms(i);
    if (form->Tag() == disabledTag_ || std::string(form->ClassName()) == "TfrmMSNPopForm") continue;
    if (IsWindowSkinned(form->Handle())) continue;
    AddSkinWindow(form->Handle(), false);
  }
}

void TzubSkinEngine::UnskinOtherForms() {
  tk::TCustomForm* ownerForm = OwnerForm();
  const HWND ownerWnd =
      ownerForm != nullptr && ownerForm->HandleAllocated() ? ownerForm->Handle() : nullptr;
  for (;;) {
    const auto other = std::find_if(frames_.begin(), frames_.end(), [ownerWnd](TzubSkinWindow* f) {
      return f->GetHandle() != ownerWnd;
    });
    if (other == frames_.end()) return;
    RemoveSkinWindow((*other)->GetHandle());
  }
}

bool TzubSkinEngine::GetSkinBitmap(int index, tk::TBitmap& dest, int frame, int frameCount) const {
  const tk::TBitmap* bitmap = reader_->GetBitmap(static_cast<std::uint8_t>(index));
  if (bitmap == nullptr) return false;
  if (frame != 0 && frameCount != 0)
    ExtractFrame(bitmap, &dest, frameCount, frame);
  else
    dest.Assign(*bitmap);
  return true;
}

// ---- Loading and skin changes -----------------------------------------------------------

void TzubSkinEngine::Loaded() {
  tk::TComponent::Loaded();
  if (!Designing()) SkinForm(OwnerForm());
  for (int i = 0; i < autoSkinWndClassNames_.Count(); ++i)
    AddAutoSkinClass(autoSkinWndClassNames_.Strings(i));
}

void TzubSkinEngine::Notification(tk::TComponent* component, tk::TOperation operation) {
  tk::TComponent::Notification(component, operation);
  if (Designing() || component == nullptr) return;
  if (operation == tk::opRemove) {
    if (component->Is<tk::TMenu>()) RestoreMenu(static_cast<tk::TMenu*>(component));
    return;
  }
  if (!SkinningActive()) return;
  if (component->Is<tk::TMenu>() && component->Tag() != disabledTag_)
    OwnerDrawMenu(static_cast<tk::TMenu*>(component));
  else if (component->Is<tk::TMenuItem>())
    AttachMenuItem(static_cast<tk::TMenuItem*>(component));
}

void TzubSkinEngine::ReadMetrics() {
  TzubSkinMetrics& m = metrics_;
  m.FormColor = reader_->GetColor(SKIN2_FORMCOLOR);
  formBrush_.Reset(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(m.FormColor))));
  m.TitleRegionMinY = reader_->GetInteger(SKIN2_TITLEBARREGIONMINY);
  m.TitleRegionMaxY = reader_->GetInteger(SKIN2_TITLEBARREGIONMAXY);
  m.BottomRegionMinY = reader_->GetInteger(SKIN2_BOTTOMREGIONMINY);
  m.BottomRegionMaxY = reader_->GetInteger(SKIN2_BOTTOMREGIONMAXY);
  const int title1 = WidthOf(reader_->GetBitmap(SKIN2_TITLEBAR1));
  const int title3 = WidthOf(reader_->GetBitmap(SKIN2_TITLEBAR3));
  const int button = WidthOf(reader_->GetBitmap(SKIN2_TITLEBUTTONS)) / 6 + 35;
  m.MinFrameWidth = reader_->GetBoolean(SKIN2_TITLEFIVESECT) ? title1 + title3 + button
                                                             : title1 + std::max(title3, button);
  m.TitleBarHeight = HeightOf(reader_->GetBitmap(SKIN2_TITLEBAR1));
  m.LeftBorderWidth = WidthOf(reader_->GetBitmap(SKIN2_FORMLEFTBORDER));
  m.RightBorderWidth = WidthOf(reader_->GetBitmap(SKIN2_FORMRIGHTBORDER));
  m.BottomBorderHeight = HeightOf(reader_->GetBitmap(SKIN2_FORMBOTTOMBORDER1));
  m.TransparentColor = reader_->GetColor(SKIN2_TRANSCOLOR);
  m.IconX = reader_->GetInteger(SKIN2_TITLEBARICONPOSX);
  m.IconY = reader_->GetInteger(SKIN2_TITLEBARICONPOSY);
  m.ButtonsX = reader_->GetInteger(SKIN2_TITLEBARBUTTONPOSX);
  m.ButtonsY = reader_->GetInteger(SKIN2_TITLEBARBUTTONPOSY);
  m.CaptionTop = reader_->GetInteger(SKIN2_TITLEBARCAPTIONTOP);
  m.TitleFontColor = reader_->GetColor(SKIN2_TITLEFONTCOLOR);
  for (std::size_t i = 0; i < m.MenuColors.size(); ++i)
    m.MenuColors[i] = reader_->GetColor(static_cast<std::uint8_t>(SKIN2_MENUBARSTARTCOLOR + i));
}

void TzubSkinEngine::UpdateCheckMark() {
  tk::TBitmap mark;
  GetSkinBitmap(SKIN2_CHECKEDMENUICON, mark, 0, 0);
  if (mark.Empty()) return;
  mark.SetTransparent(true);
  tk::TImageList& list = CheckMarkImageList();
  if (list.Count() > 0) list.Delete(0);
  list.AddMasked(mark, metrics_.TransparentColor);
}

void TzubSkinEngine::RefreshFrames() {
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    TzubSkinWindow* frame = frames_[i];
    if (active_) {
      const HWND wnd = frame->GetHandle();
      const bool visible = IsWindowVisible(wnd) != FALSE;
      const bool hidden = DynGetAncestor(wnd, GA_PARENT) == nullptr;
      if (hidden) ShowWindow(wnd, SW_HIDE);
      frame->SetSkinned(false);
      frame->SetSkinned(true);
      if (visible) {
        if (hidden) ShowWindow(wnd, SW_SHOWNA);
        if (i == 0) SetActiveWindow(wnd);
      }
    }
    frame->SkinChanged();
  }
}

void TzubSkinEngine::SkinChange() {
  const TFlagScope changing(changingSkin_);
  formBrush_.Reset();
  tk::RaiseEvent(onSkinChanging_, this);
  ReadMetrics();
  scrollBtnRes_->SetReader(reader_.get());
  progressBarRes_->SetReader(reader_.get());
  UpdateCheckMark();
  RefreshFrames();
  tk::RaiseEvent(onSkinChanged_, this);
}

// ---- Published properties ---------------------------------------------------------------

namespace {

std::vector<tk::TPropInfo> EngineProperties() {
  using E = TzubSkinEngine;
  std::vector<tk::TPropInfo> table = {
      tk::BooleanProperty<E>("Active", &E::Active, &E::SetActive),
      tk::BooleanProperty<E>("Ready", &E::Ready, &E::IgnoreReady),
      tk::StringProperty<E>("Password", "string", &E::Password, &E::SetPassword),
      tk::StringProperty<E>("SkinFile", "string", &E::SkinFile, &E::SetSkinFile),
      tk::StringProperty<E>("ResSysMenuMin", "string", &E::ResSysMenuMin, &E::SetResSysMenuMin),
      tk::StringProperty<E>("ResSysMenuMax", "string", &E::ResSysMenuMax, &E::SetResSysMenuMax),
      tk::StringProperty<E>("ResSysMenuClose", "string", &E::ResSysMenuClose,
                            &E::SetResSysMenuClose),
      tk::IntegerProperty<E>("DisabledTag", "Integer", &E::DisabledTag, &E::SetDisabledTag),
      tk::BooleanProperty<E>("DrawScrollBar", &E::DrawScrollBar, &E::SetDrawScrollBar),
      tk::StringProperty<E>("Version", "string", &E::Version, &E::IgnoreVersion),
      tk::BooleanProperty<E>("BuiltIn", &E::BuiltIn, &E::SetBuiltIn),
      tk::BooleanProperty<E>("SkinDialogs", &E::SkinDialogs, &E::SetSkinDialogs),
      tk::BooleanProperty<E>("SkinAllForms", &E::SkinAllForms, &E::SetSkinAllForms),
      tk::BooleanProperty<E>("NoChangeButtonsFontColor", &E::NoChangeButtonsFontColor,
                             &E::SetNoChangeButtonsFontColor),
      tk::StringProperty<E>("AutoSkinWndClassNames", "TStrings", &E::AutoSkinWndClassNamesText,
                            &E::SetAutoSkinWndClassNamesText),
  };
  table[1].Stored = false;
  return table;
}

// The engine can be read from stored form descriptions as soon as the program starts.
const bool kRegistered = [] {
  tk::RegisterProperties(&TzubSkinEngine::ClassInfo, EngineProperties());
  tk::RegisterComponentClass<TzubSkinEngine>();
  return true;
}();

}  // namespace

}  // namespace skin
