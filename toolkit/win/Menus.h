#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Component.h"
#include "Control.h"
#include "ImageList.h"
#include "MenuHandle.h"
#include "Messages.h"
#include "NotifyEvent.h"
#include "ShortCut.h"
#include "toolkit/core/Bitmap.h"
#include "toolkit/core/Exception.h"
#include "toolkit/core/Types.h"

namespace tk {

class TMenu;
class TMenuItem;

// A menu item was put where it cannot go (a second parent, inside itself, out of range).
class EMenuError : public Exception {
  using Exception::Exception;
};

// Owner drawing of one item: rect is the item's rectangle on the canvas, selected tells
// whether it is highlighted.
using TMenuDrawItemEvent =
    std::function<void(TMenuItem* sender, TCanvas& canvas, TRect rect, bool selected)>;
// Owner drawing asks an item's size: width and height come in with the default size and may be
// changed. The canvas has the system's menu font.
using TMenuMeasureItemEvent =
    std::function<void(TMenuItem* sender, TCanvas& canvas, int& width, int& height)>;

// One entry of a menu, and the submenu of the items below it. An item owns its child items
// and frees them with itself; a freed item leaves its parent, and whichever of its component
// owner and its parent goes first frees it. Every item has a command id of its own, unique in
// the process while the item lives, under which the native menu reports it. Captions are kept
// as UTF-16; the narrow accessors use the ANSI code page. Once a native menu exists, every
// change shows in it at once. Items and menus join their owner only once they are complete, so
// that the owner's Notification of the insertion sees what kind of component arrived.
class TMenuItem : public TComponent {
  TK_CLASS(TMenuItem, TComponent)

 public:
  static constexpr const wchar_t* kLineCaption = L"-";

  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "&" marks the next letter as the item's hotkey; "&&" stands for an "&".
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  const std::wstring& WideCaption() const { return caption_; }
  void SetWideCaption(const std::wstring& caption);
  // An item captioned "-" is a separator line.
  bool IsLine() const { return caption_ == kLineCaption; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  // Checking a radio item unchecks the radio items of the same GroupIndex beside it.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);
  std::uint8_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(std::uint8_t groupIndex);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // The default item of its submenu, shown in bold.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  // The image of the menu's image list (or the parent's SubMenuImages) beside the caption, when
  // the menu is owner-drawn; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int imageIndex);
  // A picture beside the caption, used when there is no image from an image list.
  const TBitmap& Bitmap() const { return bitmap_; }
  void SetBitmap(const TBitmap& bitmap);
  // Images for the items of this item's submenu, in place of the menu's; not owned.
  TImageList* SubMenuImages() const { return subMenuImages_; }
  void SetSubMenuImages(TImageList* images);

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void Add(TMenuItem* item) { Insert(Count(), item); }
  // EMenuError for an item that has a parent already, for this item or one of its parents,
  // and for an index outside 0..Count().
  void Insert(int index, TMenuItem* item);
  // Takes the item out of this submenu without freeing it; its owner, if any, still frees it.
  void Delete(int index);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  // The menu whose root item this item is below, or null.
  TMenu* GetParentMenu() const;

  // The native menu of this item's submenu, made and filled on first use.
  HMENU Handle();
  bool HandleAllocated() const { return static_cast<bool>(handle_); }
  UINT Command() const { return command_; }

  const TNotifyEvent& OnClick() const { return onClick_; }
  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
  // Runs OnClick: the item was chosen, or its submenu is opening.
  virtual void Click();
  const TMenuDrawItemEvent& OnDrawItem() const { return onDrawItem_; }
  void SetOnDrawItem(TMenuDrawItemEvent handler) { onDrawItem_ = std::move(handler); }
  const TMenuMeasureItemEvent& OnMeasureItem() const { return onMeasureItem_; }
  void SetOnMeasureItem(TMenuMeasureItemEvent handler) { onMeasureItem_ = std::move(handler); }

  // Owner drawing. MeasureItem sets the default size, then lets OnMeasureItem change it;
  // DrawItem runs OnDrawItem or, without one, draws the default look.
  virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
  virtual void DrawItem(TCanvas& canvas, const TRect& rect, bool selected);

  // In a stored description an item sits inside its parent item, or inside its menu when it is
  // one of the menu's top items.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(std::vector<TComponent*>& children) const override;

  // The live item with a command id, with a native item's data, or whose submenu is a native
  // menu; null when no live item matches. Data that is not a live item's address is never
  // used as a pointer.
  static TMenuItem* FindByCommand(UINT command);
  static TMenuItem* FindByItemData(ULONG_PTR itemData);
  static TMenuItem* FindByHandle(HMENU menu);

 private:
  friend class TMenu;

  // This item's entry in its parent's native menu.
  void InsertNative(HMENU menu, UINT position);
  // Fills the native submenu anew from the visible items.
  void RebuildNative();
  void RebuildTree();
  // A property of this item changed: the parent's native menu shows it.
  void Changed();
  // The list of items changed: this submenu, and the parent's entry for it, show it.
  void ChildrenChanged();
  void NotifyMenu();
  bool IsDestroying() const { return (ComponentState() & csDestroying) != 0; }
  bool InMenuBar() const;
  bool IsRightToLeft() const;
  bool IsOwnerDraw() const;
  TImageList* Images() const;
  void UncheckGroup();
  // The room for a check mark or the item's image beside the caption.
  SIZE GlyphSize() const;
  void DrawDefault(TCanvas& canvas, const TRect& rect, bool selected);
  void DrawGlyph(TCanvas& canvas, const TRect& box, TColor color);

  std::wstring caption_;
  TShortCut shortCut_ = scNone;
  bool checked_ = false;
  bool radioItem_ = false;
  std::uint8_t groupIndex_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  int imageIndex_ = -1;
  TBitmap bitmap_;
  TImageList* subMenuImages_ = nullptr;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  // Set on a menu's root item only.
  TMenu* menu_ = nullptr;
  UINT command_;
  TMenuHandle handle_;
  TNotifyEvent onClick_;
  TMenuDrawItemEvent onDrawItem_;
  TMenuMeasureItemEvent onMeasureItem_;
};

// A tree of menu items below a root item that the menu owns; the root item's submenu is the
// menu's native menu.
class TMenu : public TComponent {
  TK_CLASS(TMenu, TComponent)

 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  HMENU Handle() { return items_->Handle(); }
  bool HandleAllocated() const { return items_->HandleAllocated(); }

  // Not owned.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // Owner-drawn native items carry their TMenuItem as item data and are measured and drawn
  // through DispatchMenuMeasureItem and DispatchMenuDrawItem; otherwise they are strings with
  // the shortcut after a tab. The items of a menu bar stay strings either way: only the items
  // of their submenus are owner-drawn.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  // Right-to-left modes give every item right-to-left order; bdRightToLeft also moves the
  // items of a menu bar to its right end.
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode mode);
  bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }

  // For WM_KEYDOWN and WM_SYSKEYDOWN: clicks the first enabled item reachable through visible,
  // enabled submenus whose shortcut is the message's key with the keyboard's modifiers, and
  // answers whether there was one. The second form takes the modifier bits as given.
  bool IsShortCut(const TMessage& keyMessage) {
    return IsShortCut(keyMessage, KeyboardModifiers());
  }
  bool IsShortCut(const TMessage& keyMessage, TShortCut modifiers);
  // The item of this menu with a command id, or null.
  TMenuItem* FindItem(UINT command) const;
  // Clicks the enabled item of this menu with the command id; false when there is none.
  bool DispatchCommand(UINT command);

  // A stored description holds the top items inside the menu's object.
  void GetChildren(std::vector<TComponent*>& children) const override;

 protected:
  // Whether the native menu is a menu bar (CreateMenu) rather than a popup menu.
  virtual bool IsMenuBar() const { return false; }
  // The native menu changed after it was made.
  virtual void MenuChanged() {}

 private:
  friend class TMenuItem;

  // Refills every native menu of the tree, for settings that change all items.
  void Rebuild();

  std::unique_ptr<TMenuItem> items_;
  TImageList* images_ = nullptr;
  bool ownerDraw_ = false;
  TBiDiMode biDiMode_ = bdLeftToRight;
};

// The menu bar of a window. The window shows it with SetMenu(window, Handle()) and tells the
// menu with SetWindowHandle, after which every change redraws the bar. A window destroys its
// menu when it is destroyed: it must take the menu off (SetMenu(window, nullptr)) first.
// Freed, the menu takes itself off its window.
class TMainMenu : public TMenu {
  TK_CLASS(TMainMenu, TMenu)

 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND window);

 protected:
  bool IsMenuBar() const override { return true; }
  void MenuChanged() override;

 private:
  HWND window_ = nullptr;
};

// Hotkeys of a popup menu's items. The toolkit assigns none of its own: in either mode an
// item's hotkey is the letter after "&" in its caption, and an item without one has none.
enum TMenuAutoFlag { maAutomatic, maManual };

// A menu shown at a point. Its native menu is tracked with the toolkit's popup window as
// owner, which receives the item's command once the menu has closed and dispatches it.
class TPopupMenu : public TMenu {
  TK_CLASS(TPopupMenu, TMenu)

 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // Runs OnPopup, then shows the menu at a screen point and returns when it closes; the chosen
  // item's OnClick runs when the message loop delivers its command.
  virtual void Popup(int x, int y);
  TPoint PopupPoint() const { return popupPoint_; }
  const TNotifyEvent& OnPopup() const { return onPopup_; }
  void SetOnPopup(TNotifyEvent handler) { onPopup_ = std::move(handler); }
  // Whether the control the menu belongs to shows it on a right click.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
  TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
  void SetAutoHotkeys(TMenuAutoFlag flag) { autoHotkeys_ = flag; }
  // The component the menu was last shown for, forgotten when it is freed.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);

  void Notification(TComponent* component, TOperation operation) override;

 private:
  TPoint popupPoint_{};
  TNotifyEvent onPopup_;
  bool autoPopup_ = true;
  TMenuAutoFlag autoHotkeys_ = maAutomatic;
  TComponent* popupComponent_ = nullptr;
};

// What a window procedure calls for its menus' messages; each answers whether a live item took
// the message. Nothing a handler throws gets out of them.
// WM_MEASUREITEM and WM_DRAWITEM of owner-drawn menu items (CtlType ODT_MENU).
bool DispatchMenuMeasureItem(MEASUREITEMSTRUCT& measure);
bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& draw);
// WM_COMMAND from a menu (HIWORD(wParam) 0, lParam 0): clicks the enabled item with the id.
bool DispatchMenuCommand(UINT command);
// WM_INITMENUPOPUP: clicks the item whose submenu is opening.
bool DispatchMenuPopup(HMENU menu);

// The hidden top-level window, one per process and made on first use, that owns tracked popup
// menus and dispatches their messages.
HWND MenuPopupWindow();

}  // namespace tk
