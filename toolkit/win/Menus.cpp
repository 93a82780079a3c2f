#include "Menus.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "FormReader.h"
#include "Properties.h"

namespace tk {

namespace {

// WM_COMMAND carries a menu's command id in the low word of WParam.
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0xFFFF;
constexpr const char* kCreateMenuMessage = "Error creating menu";

// Every live item by its command id. Ids are handed out round the range, so that an id set
// free is taken again as late as possible and a late message for a freed item finds nothing.
class TItemRegistry {
 public:
  UINT Add(TMenuItem* item) {
    for (UINT tried = kFirstCommand; tried <= kLastCommand; ++tried) {
      const UINT command = next_;
      next_ = next_ == kLastCommand ? kFirstCommand : next_ + 1;
      if (items_.emplace(command, item).second) return command;
    }
    throw EMenuError("Too many menu items");
  }
  void Remove(UINT command) { items_.erase(command); }
  TMenuItem* Find(UINT command) const {
    const auto found = items_.find(command);
    return found != items_.end() ? found->second : nullptr;
  }
  template <typename Match>
  TMenuItem* FindIf(Match match) const {
    for (const auto& [command, item] : items_)
      if (match(*item)) return item;
    return nullptr;
  }

 private:
  std::unordered_map<UINT, TMenuItem*> items_;
  UINT next_ = kFirstCommand;
};

TItemRegistry& Registry() {
  static TItemRegistry registry;
  return registry;
}

bool IsKeyDown(const TMessage& message) {
  return message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN;
}

// Puts a component that is complete now into its owner's list.
void JoinOwner(TComponent* owner, TComponent* component) {
  if (owner != nullptr) owner->InsertComponent(component);
}

TMenuItem* FindShortCut(TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible() || !item->Enabled()) continue;
    if (item->ShortCut() == shortCut) return item;
    if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
  }
  return nullptr;
}

}  // namespace

// ---- TMenuItem ----------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(nullptr), command_(Registry().Add(this)) {
  try {
    JoinOwner(owner, this);
  } catch (...) {
    Registry().Remove(command_);
    throw;
  }
}

// The native submenu lets go of the child menus before the children go, and no child's
// leaving rebuilds anything; then this item leaves its parent, whose native menu drops it
// before this item's native menu is destroyed.
TMenuItem::~TMenuItem() {
  TComponent::Destroying();
  handle_.Clear();
  while (!items_.empty()) delete items_.back();
  if (parent_ != nullptr) parent_->Remove(this);
  Registry().Remove(command_);
}

std::string TMenuItem::Caption() const {
  return AnsiFromWide(caption_);
}

void TMenuItem::SetCaption(const std::string& caption) {
  SetWideCaption(WideFromAnsi(caption));
}

void TMenuItem::SetWideCaption(const std::wstring& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut_ == shortCut) return;
  shortCut_ = shortCut;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  if (checked && radioItem_) UncheckGroup();
  Changed();
}

void TMenuItem::SetRadioItem(bool radioItem) {
  if (radioItem_ == radioItem) return;
  radioItem_ = radioItem;
  if (checked_ && radioItem) UncheckGroup();
  Changed();
}

void TMenuItem::SetGroupIndex(std::uint8_t groupIndex) {
  if (groupIndex_ == groupIndex) return;
  groupIndex_ = groupIndex;
  if (checked_ && radioItem_) UncheckGroup();
  Changed();
}

void TMenuItem::UncheckGroup() {
  if (parent_ == nullptr) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
      sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetDefault(bool isDefault) {
  if (default_ == isDefault) return;
  default_ = isDefault;
  Changed();
}

void TMenuItem::SetImageIndex(int imageIndex) {
  if (imageIndex_ == imageIndex) return;
  imageIndex_ = imageIndex;
  Changed();
}

void TMenuItem::SetBitmap(const TBitmap& bitmap) {
  bitmap_.Assign(bitmap);
  Changed();
}

void TMenuItem::SetSubMenuImages(TImageList* images) {
  if (subMenuImages_ == images) return;
  subMenuImages_ = images;
  RebuildNative();
  NotifyMenu();
}

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item == nullptr) return;
  if (item->parent_ != nullptr || item->menu_ != nullptr) throw EMenuError("Menu inserted twice");
  for (const TMenuItem* above = this; above != nullptr; above = above->parent_)
    if (above == item) throw EMenuError("Menu inserted into itself");
  if (index < 0 || index > Count()) throw EMenuError("Menu index out of bounds");
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  ChildrenChanged();
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) throw EMenuError("Menu index out of bounds");
  TMenuItem* item = items_[static_cast<std::size_t>(index)];
  items_.erase(items_.begin() + index);
  item->parent_ = nullptr;
  if (!IsDestroying()) ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  const int index = IndexOf(item);
  if (index >= 0) Delete(index);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found != items_.end() ? static_cast<int>(found - items_.begin()) : -1;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_ != nullptr) root = root->parent_;
  return root->menu_;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_.Reset(menu_ != nullptr && menu_->IsMenuBar() ? CreateMenu() : CreatePopupMenu());
    if (!handle_) throw EOutOfResources(kCreateMenuMessage);
    RebuildNative();
  }
  return handle_.Get();
}

void TMenuItem::Click() {
  RaiseEvent(onClick_, this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ != nullptr && parent_->menu_ != nullptr) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (parent != nullptr && parent->Is<TMenu>())
    static_cast<TMenu*>(parent)->Items()->Add(this);
  else if (parent != nullptr && parent->Is<TMenuItem>())
    static_cast<TMenuItem*>(parent)->Add(this);
  else
    TComponent::SetParentComponent(parent);
}

void TMenuItem::GetChildren(std::vector<TComponent*>& children) const {
  children.insert(children.end(), items_.begin(), items_.end());
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
  return Registry().Find(command);
}

TMenuItem* TMenuItem::FindByItemData(ULONG_PTR itemData) {
  return Registry().FindIf(
      [itemData](const TMenuItem& item) { return reinterpret_cast<ULONG_PTR>(&item) == itemData; });
}

TMenuItem* TMenuItem::FindByHandle(HMENU menu) {
  if (menu == nullptr) return nullptr;
  return Registry().FindIf([menu](const TMenuItem& item) { return item.handle_.Get() == menu; });
}

bool TMenuItem::InMenuBar() const {
  return parent_ != nullptr && parent_->menu_ != nullptr && parent_->menu_->IsMenuBar();
}

bool TMenuItem::IsRightToLeft() const {
  const TMenu* menu = GetParentMenu();
  return menu != nullptr && menu->IsRightToLeft();
}

bool TMenuItem::IsOwnerDraw() const {
  const TMenu* menu = GetParentMenu();
  return menu != nullptr && menu->OwnerDraw();
}

TImageList* TMenuItem::Images() const {
  if (parent_ != nullptr && parent_->subMenuImages_ != nullptr) return parent_->subMenuImages_;
  const TMenu* menu = GetParentMenu();
  return menu != nullptr ? menu->Images() : nullptr;
}

void TMenuItem::InsertNative(HMENU menu, UINT position) {
  const TMenu* parentMenu = GetParentMenu();
  const bool ownerDraw = IsOwnerDraw() && !InMenuBar();
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  info.wID = command_;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.fType = ownerDraw ? MFT_OWNERDRAW : MFT_STRING;
  if (IsLine()) info.fType |= MFT_SEPARATOR;
  if (radioItem_) info.fType |= MFT_RADIOCHECK;
  if (IsRightToLeft()) info.fType |= MFT_RIGHTORDER;
  if (InMenuBar() && parentMenu->BiDiMode() == bdRightToLeft) info.fType |= MFT_RIGHTJUSTIFY;
  info.fState = (checked_ ? MFS_CHECKED : 0u) | (enabled_ ? 0u : MFS_DISABLED) |
                (default_ ? MFS_DEFAULT : 0u);
  if (!items_.empty()) info.hSubMenu = Handle();
  std::wstring text = caption_;
  if (!ownerDraw && !IsLine()) {
    if (shortCut_ != scNone && !InMenuBar())
      text += L"\t" + WideFromAnsi(ShortCutToText(shortCut_));
    info.fMask |= MIIM_STRING;
    info.dwTypeData = text.data();
  }
  if (!ownerDraw && !bitmap_.Empty()) {
    info.fMask |= MIIM_BITMAP;
    info.hbmpItem = static_cast<HBITMAP>(bitmap_.Handle());
  }
  InsertMenuItemW(menu, position, TRUE, &info);
}

void TMenuItem::RebuildNative() {
  if (!handle_ || IsDestroying()) return;
  handle_.Clear();
  UINT position = 0;
  for (TMenuItem* item : items_)
    if (item->visible_) item->InsertNative(handle_.Get(), position++);
}

// Owner-drawn items are measured once, when inserted: rebuilding every native menu has the
// system measure them again.
void TMenuItem::RebuildTree() {
  RebuildNative();
  for (TMenuItem* item : items_) item->RebuildTree();
}

void TMenuItem::Changed() {
  if (parent_ != nullptr) parent_->RebuildNative();
  NotifyMenu();
}

void TMenuItem::ChildrenChanged() {
  RebuildNative();
  Changed();
}

void TMenuItem::NotifyMenu() {
  if (TMenu* menu = GetParentMenu(); menu != nullptr && menu->HandleAllocated())
    menu->MenuChanged();
}

// ---- TMenu --------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner)
    : TComponent(nullptr), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
  JoinOwner(owner, this);
}

TMenu::~TMenu() {
  Destroying();
}

void TMenu::SetImages(TImageList* images) {
  if (images_ == images) return;
  images_ = images;
  Rebuild();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw_ == ownerDraw) return;
  ownerDraw_ = ownerDraw;
  Rebuild();
}

void TMenu::SetBiDiMode(TBiDiMode mode) {
  if (biDiMode_ == mode) return;
  biDiMode_ = mode;
  Rebuild();
}

void TMenu::Rebuild() {
  items_->RebuildTree();
  if (HandleAllocated()) MenuChanged();
}

bool TMenu::IsShortCut(const TMessage& keyMessage, TShortCut modifiers) {
  if (!IsKeyDown(keyMessage)) return false;
  const TShortCut shortCut = tk::ShortCut(static_cast<WORD>(keyMessage.WParam), modifiers);
  if ((shortCut & scKeyMask) == 0) return false;
  TMenuItem* item = FindShortCut(*items_, shortCut);
  if (item == nullptr) return false;
  item->Click();
  return true;
}

TMenuItem* TMenu::FindItem(UINT command) const {
  TMenuItem* item = TMenuItem::FindByCommand(command);
  return item != nullptr && item != items_.get() && item->GetParentMenu() == this ? item : nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* item = FindItem(command);
  if (item == nullptr || !item->Enabled()) return false;
  item->Click();
  return true;
}

void TMenu::GetChildren(std::vector<TComponent*>& children) const {
  items_->GetChildren(children);
}

// ---- TMainMenu ----------------------------------------------------------------------------

TMainMenu::TMainMenu(TComponent* owner) : TMenu(nullptr) {
  JoinOwner(owner, this);
}

TMainMenu::~TMainMenu() {
  if (window_ != nullptr && HandleAllocated() && IsWindow(window_) && GetMenu(window_) == Handle())
    SetMenu(window_, nullptr);
}

void TMainMenu::SetWindowHandle(HWND window) {
  window_ = window;
  MenuChanged();
}

void TMainMenu::MenuChanged() {
  if (window_ != nullptr && IsWindow(window_)) DrawMenuBar(window_);
}

// ---- TPopupMenu ---------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(nullptr) {
  JoinOwner(owner, this);
}

TPopupMenu::~TPopupMenu() {
  SetPopupComponent(nullptr);
}

void TPopupMenu::Popup(int x, int y) {
  popupPoint_ = TPoint{x, y};
  RaiseEvent(onPopup_, this);
  UINT flags = TPM_RIGHTBUTTON;
  if (IsRightToLeft()) flags |= TPM_LAYOUTRTL;
  flags |= BiDiMode() == bdRightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  TrackPopupMenuEx(Handle(), flags, x, y, MenuPopupWindow(), nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (popupComponent_ == component) return;
  if (popupComponent_ != nullptr) RemoveFreeNotification(popupComponent_);
  popupComponent_ = component;
  if (component != nullptr) FreeNotification(component);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
  TMenu::Notification(component, operation);
}

// ---- Stored descriptions ------------------------------------------------------------------

namespace {

const std::vector<std::string> kBiDiModeNames = {
    "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"};

std::vector<TPropInfo> MenuItemProperties() {
  using T = TMenuItem;
  return {
      StringProperty<T>("Caption", "string", &T::Caption, &T::SetCaption),
      IntegerProperty<T>("ShortCut", "TShortCut", &T::ShortCut, &T::SetShortCut),
      BooleanProperty<T>("Checked", &T::Checked, &T::SetChecked),
      BooleanProperty<T>("RadioItem", &T::RadioItem, &T::SetRadioItem),
      IntegerProperty<T>("GroupIndex", "Byte", &T::GroupIndex, &T::SetGroupIndex),
      BooleanProperty<T>("Enabled", &T::Enabled, &T::SetEnabled),
      BooleanProperty<T>("Visible", &T::Visible, &T::SetVisible),
      BooleanProperty<T>("Default", &T::Default, &T::SetDefault),
      IntegerProperty<T>("ImageIndex", "Integer", &T::ImageIndex, &T::SetImageIndex),
  };
}

std::vector<TPropInfo> MenuProperties() {
  return {
      BooleanProperty<TMenu>("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
      EnumProperty<TMenu>("BiDiMode", "TBiDiMode", kBiDiModeNames, &TMenu::BiDiMode,
                          &TMenu::SetBiDiMode),
  };
}

std::vector<TPropInfo> PopupMenuProperties() {
  return {
      BooleanProperty<TPopupMenu>("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
      EnumProperty<TPopupMenu>("AutoHotkeys", "TMenuAutoFlag", {"maAutomatic", "maManual"},
                               &TPopupMenu::AutoHotkeys, &TPopupMenu::SetAutoHotkeys),
  };
}

// This file is linked into every program that uses a menu class, so descriptions read by
// such a program know the menu classes before its first line runs.
[[maybe_unused]] const bool kMenuClassesRegistered = [] {
  RegisterProperties(&TMenuItem::ClassInfo, MenuItemProperties());
  RegisterProperties(&TMenu::ClassInfo, MenuProperties());
  RegisterProperties(&TPopupMenu::ClassInfo, PopupMenuProperties());
  RegisterComponentClass<TMenuItem>();
  RegisterComponentClass<TMainMenu>();
  RegisterComponentClass<TPopupMenu>();
  return true;
}();

}  // namespace

}  // namespace tk
