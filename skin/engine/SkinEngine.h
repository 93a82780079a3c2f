#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/engine/SkinMenuItems.h"
#include "skin/reader/SkinReader.h"
#include "skin/utils/SkinRes.h"
#include "toolkit/core/StringList.h"
#include "toolkit/core/Types.h"
#include "toolkit/win/Component.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/GdiObject.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/NotifyEvent.h"

namespace skin {

class TzubSkinEngine;
class TzubSkinWindow;

// The skin values frames and control skinners read on every paint, taken from the skin at
// each skin change.
struct TzubSkinMetrics {
  tk::TColor FormColor = 0;
  int TitleBarHeight = 0;
  int LeftBorderWidth = 0;
  int RightBorderWidth = 0;
  int BottomBorderHeight = 0;
  tk::TColor TransparentColor = 0;
  int IconX = 0;
  int IconY = 0;
  int ButtonsX = 0;
  int ButtonsY = 0;
  int CaptionTop = 0;
  tk::TColor TitleFontColor = 0;
  // The system's inactive caption colour: the caption text of an inactive frame.
  tk::TColor InactiveTitleFontColor = 0xFF000003;
  // Colours SKIN2_MENUBARSTARTCOLOR to SKIN2_SELECTEDMENUFONTCOLOR, in catalogue order.
  std::array<tk::TColor, 13> MenuColors{};
  int TitleRegionMinY = 0;
  int TitleRegionMaxY = 0;
  int BottomRegionMinY = 0;
  int BottomRegionMaxY = 0;
  // The narrowest a skinned frame may become: the title's fixed pieces and one button.
  int MinFrameWidth = 0;
  tk::TColor DisabledMenuTextColor = 0x808080;
};

// One more skin stored with the form: its own reader, loaded from the stored package.
class TzubSkinCollectionItem : public tk::TObject {
 public:
  TzubSkinCollectionItem();
  ~TzubSkinCollectionItem() override;

  const std::string& SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::string& value) { skinFile_ = value; }
  const std::string& Password() const { return password_; }
  void SetPassword(const std::string& value) { password_ = value; }
  TzubSkinReader& Reader() { return *reader_; }

  // The stored package: read loads the item's reader through a temporary file; write answers
  // the bytes of SkinFile when it names an existing file.
  void ReadSkinData(const std::vector<std::uint8_t>& bytes);
  std::optional<std::vector<std::uint8_t>> WriteSkinData() const;

 private:
  std::string skinFile_;
  std::string password_;
  std::unique_ptr<TzubSkinReader> reader_;
};

// The additional built-in skins of an engine, in order.
class TzubSkinCollection : public tk::TObject {
 public:
  explicit TzubSkinCollection(TzubSkinEngine* owner) : owner_(owner) {}
  TzubSkinEngine* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TzubSkinCollectionItem* Items(int index) const { return items_.at(index).get(); }
  TzubSkinCollectionItem* Add();
  void Clear() { items_.clear(); }
  // Copies the other collection's settings (file names and passwords) into new items.
  void Assign(const TzubSkinCollection& other);

 private:
  TzubSkinEngine* owner_;
  std::vector<std::unique_ptr<TzubSkinCollectionItem>> items_;
};

// The component that skins the whole application. It holds the skin, the switches that say
// what is skinned, the frames attached to top-level windows, the metric cache and the
// replacement system menu. It must be owned by a form; the first engine made outside design
// mode installs the window hook and serves it.
class TzubSkinEngine : public tk::TComponent {
  TK_CLASS(TzubSkinEngine, tk::TComponent)

 public:
  explicit TzubSkinEngine(tk::TComponent* owner);
  ~TzubSkinEngine() override;

  // Published properties, in published order.
  bool Active() const { return active_; }
  void SetActive(bool value);
  bool Ready() const { return reader_->Loaded(); }
  const std::string& Password() const { return password_; }
  void SetPassword(const std::string& value) { password_ = value; }
  const std::string& SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::string& value);
  const std::string& ResSysMenuMin() const { return resSysMenuMin_; }
  void SetResSysMenuMin(const std::string& value);
  const std::string& ResSysMenuMax() const { return resSysMenuMax_; }
  void SetResSysMenuMax(const std::string& value);
  const std::string& ResSysMenuClose() const { return resSysMenuClose_; }
  void SetResSysMenuClose(const std::string& value);
  std::int32_t DisabledTag() const { return disabledTag_; }
  void SetDisabledTag(std::int32_t value) { disabledTag_ = value; }
  bool DrawScrollBar() const { return drawScrollBar_; }
  void SetDrawScrollBar(bool value) { drawScrollBar_ = value; }
  std::string Version() const { return "4.7"; }
  bool BuiltIn() const { return builtIn_; }
  void SetBuiltIn(bool value);
  bool SkinDialogs() const { return skinDialogs_; }
  void SetSkinDialogs(bool value) { skinDialogs_ = value; }
  bool SkinAllForms() const { return skinAllForms_; }
  void SetSkinAllForms(bool value);
  TzubSkinCollection& AdditionalBuiltInSkins() { return *additionalSkins_; }
  void SetAdditionalBuiltInSkins(const TzubSkinCollection& value);
  bool NoChangeButtonsFontColor() const { return noChangeButtonsFontColor_; }
  void SetNoChangeButtonsFontColor(bool value) { noChangeButtonsFontColor_ = value; }
  const tk::TStringList& AutoSkinWndClassNames() const { return autoSkinWndClassNames_; }
  void SetAutoSkinWndClassNames(const tk::TStringList& value);
  // The class names one per line, as a stored description keeps them.
  std::string AutoSkinWndClassNamesText() const;
  void SetAutoSkinWndClassNamesText(const std::string& text);
  // Ready and Version are answers, not settings: a stored value read back changes nothing.
  void IgnoreReady(bool) {}
  void IgnoreVersion(const std::string&) {}
  void SetOnSkinChanged(tk::TNotifyEvent handler) { onSkinChanged_ = std::move(handler); }
  void SetOnSkinChanging(tk::TNotifyEvent handler) { onSkinChanging_ = std::move(handler); }

  // Active and Ready and not design mode: whether anything is drawn from the skin.
  bool SkinningActive() const;

  // Attaches a frame to the top-level window wnd unless one of this engine's frames serves it.
  void AddSkinWindow(HWND wnd, bool deferInit);
  void RemoveSkinWindow(HWND wnd);
  // Skins the engine's own form.
  void SkinForm(tk::TCustomForm* form);
  void SkinScreenForms();
  void UnskinOtherForms();

  // The frames, in the order they were attached.
  int WindowCount() const { return static_cast<int>(frames_.size()); }
  TzubSkinWindow* Windows(int index) const { return frames_.at(index); }
  // The frame that serves wnd, or null.
  TzubSkinWindow* FindSkinWindow(HWND wnd) const;

  // Frame (1-based) of frameCount equal parts of the bitmap, or the whole bitmap when either is
  // 0; False when the skin has no such bitmap.
  bool GetSkinBitmap(int index, tk::TBitmap& dest, int frame, int frameCount) const;
  tk::TColor GetSkinColor(int index) const {
    return reader_->GetColor(static_cast<std::uint8_t>(index));
  }
  bool GetSkinBoolean(int index) const {
    return reader_->GetBoolean(static_cast<std::uint8_t>(index));
  }
  tk::TColor GetFormColor() const { return metrics_.FormColor; }
  tk::TColor GetMenuBarStartColor() const { return metrics_.MenuColors[0]; }
  tk::TPopupMenu* GetSysMenuPopup() const { return sysMenu_.get(); }

  // Owner drawing of menus in the skin's colours. OwnerDrawMenu takes a whole menu over,
  // AttachMenuItem one item and every item below it; RestoreMenu gives the menu and its items
  // back the settings and events they had of their own before.
  void OwnerDrawMenu(tk::TMenu* menu);
  void AttachMenuItem(tk::TMenuItem* item);
  void RestoreMenu(tk::TMenu* menu);
  // The same for the menus owner owns and the popup menus its controls own at any depth,
  // except those (and the controls) whose Tag is DisabledTag: what a form frame skins.
  void OwnerDrawOwnedMenus(tk::TComponent* owner);
  void RestoreOwnedMenus(tk::TComponent* owner);
  // The items' OnMeasureItem and OnDrawItem handlers. They read the skin's colours on every
  // call and never throw: they run inside WM_MEASUREITEM and WM_DRAWITEM.
  void MeasureMenuItem(tk::TMenuItem* sender, tk::TCanvas& canvas, int& width,
                       int& height) noexcept;
  void PaintMenuItem(tk::TMenuItem* sender, tk::TCanvas& canvas, const tk::TRect& r,
                     bool selected) noexcept;

  TzubSkinReader& Reader() const { return *reader_; }
  const TzubSkinMetrics& Metrics() const { return metrics_; }
  // A solid brush of the form colour; null before the first skin.
  HBRUSH FormBrush() const { return formBrush_.Get(); }
  TzubSkinScrollBtnRes& ScrollBtnRes() const { return *scrollBtnRes_; }
  TzubSkinProgressBarRes& ProgressBarRes() const { return *progressBarRes_; }
  // True while SkinScreenForms runs.
  bool SkinningAllForms() const { return skinningAllForms_; }
  // True while a skin change re-applies the frames: a frame resized then by another frame's
  // change has not been re-applied yet and must not take that size for the user's.
  bool ChangingSkin() const { return changingSkin_; }
  // True while RemoveSkinWindow frees a frame.
  bool Removing() const { return removing_; }
  TzubSkinWindow* SysMenuTarget() const { return sysMenuTarget_; }
  void SetSysMenuTarget(TzubSkinWindow* frame) { sysMenuTarget_ = frame; }

  // A frame leaves the engine's list when it is destroyed.
  void FrameDestroyed(TzubSkinWindow* frame);

  void Loaded() override;
  void DefineProperties(std::vector<tk::TDefinedProperty>& properties) override;
  // Menus inserted into the engine's form while it skins are owner-drawn; a menu taken out
  // gets its own drawing back.
  void Notification(tk::TComponent* component, tk::TOperation operation) override;

 private:
  bool Designing() const { return (ComponentState() & tk::csDesigning) != 0; }
  bool Loading() const { return (ComponentState() & tk::csLoading) != 0; }
  tk::TCustomForm* OwnerForm() const;
  void CreateSysMenu();
  void SysMenuPopup();
  void SetSysMenuCaption(int index, const std::string& caption);
  void RestoreMenuItem(tk::TMenuItem& item);
  // Every menu and item still drawn by the engine, when the engine goes.
  void RestoreAllMenus();
  void SkinChange();
  void ReadMetrics();
  void UpdateCheckMark();
  void RefreshFrames();
  void ReadSkinData(const std::vector<std::uint8_t>& bytes);
  std::optional<std::vector<std::uint8_t>> WriteSkinData() const;

  bool active_ = false;
  std::vector<TzubSkinWindow*> frames_;
  std::unique_ptr<TzubSkinReader> reader_;
  std::string skinFile_;
  std::string password_;
  std::unique_ptr<TzubMenuKeeper> menuKeeper_ = std::make_unique<TzubMenuKeeper>();
  std::unique_ptr<tk::TPopupMenu> sysMenu_;
  TzubSkinWindow* sysMenuTarget_ = nullptr;
  std::unique_ptr<TzubSkinScrollBtnRes> scrollBtnRes_;
  std::unique_ptr<TzubSkinProgressBarRes> progressBarRes_;
  bool builtIn_ = false;
  bool skinDialogs_ = true;
  bool skinAllForms_ = true;
  bool skinningAllForms_ = false;
  std::unique_ptr<TzubSkinCollection> additionalSkins_;
  tk::TNotifyEvent onSkinChanged_;
  tk::TNotifyEvent onSkinChanging_;
  tk::TGdiObject<HBRUSH> formBrush_;
  bool removing_ = false;
  bool changingSkin_ = false;
  tk::TStringList autoSkinWndClassNames_;
  TzubSkinMetrics metrics_;
  std::string resSysMenuMin_ = "Mi&nimize";
  std::string resSysMenuMax_ = "Ma&ximize/Restore";
  std::string resSysMenuClose_ = "&Close";
  std::int32_t disabledTag_ = 9999;
  bool drawScrollBar_ = true;
  bool noChangeButtonsFontColor_ = false;
  bool hookOwner_ = false;
};

}  // namespace skin
