// Owner-drawn menus: switching menus to the engine's drawing and back, and measuring and
// drawing one item in the skin's colours.
#include "skin/engine/SkinMenuItems.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "skin/engine/SkinEngine.h"
#include "skin/engine/SkinHooks.h"
#include "skin/reader/Skin2Define.h"
#include "skin/utils/WinDrawing.h"
#include "skin/utils/WinWindowUtils.h"
#include "toolkit/win/Control.h"
#include "toolkit/win/ShortCut.h"

namespace skin {

namespace {

constexpr tk::TColor kSeparatorColor = 0x848284;
constexpr tk::TColor kImagePlaceFrameColor = tk::clBlack;
// Without an image list of its own an item has a 26-pixel bar for a 16-pixel image.
constexpr int kDefaultBarWidth = 26;
constexpr int kDefaultImageHeight = 16;
constexpr int kBarMargin = 10;
constexpr int kImageHeightMargin = 5;
constexpr int kSeparatorHeight = 5;
constexpr int kMinItemHeight = 21;
constexpr int kWidthMargin = 66;
constexpr int kCaptionGap = 4;
constexpr int kShortCutGap = 16;
constexpr int kRightToLeftShortCutLeft = 30;
constexpr int kImageLeft = 4;
constexpr int kImageTop = 3;
constexpr int kBitmapSize = 16;
constexpr UINT kTextFormat = DT_VCENTER | DT_SINGLELINE;

// The image list the item shows, its bar and image size, and its reading direction.
struct TItemLayout {
  tk::TImageList* Images = nullptr;
  int BarWidth = kDefaultBarWidth;
  int ImageHeight = kDefaultImageHeight;
  bool RightToLeft = false;
};

// An image list of the application's own; the empty list given to main menus does not count.
bool HasOwnImages(const tk::TImageList* images) {
  return images != nullptr && images != &MenuImageList();
}

TItemLayout LayoutOf(const tk::TMenuItem& item) {
  TItemLayout layout;
  layout.Images = GetMenuItemImages(&item);
  if (HasOwnImages(layout.Images)) {
    layout.BarWidth = layout.Images->Width() + kBarMargin;
    layout.ImageHeight = layout.Images->Height();
  }
  const tk::TMenu* menu = item.GetParentMenu();
  layout.RightToLeft = menu != nullptr && menu->BiDiMode() != tk::bdLeftToRight;
  return layout;
}

// A top item of a main menu: its look belongs to the menu bar.
bool IsMenuBarItem(const tk::TMenuItem& item) {
  const tk::TMenu* menu = item.GetParentMenu();
  return menu != nullptr && menu->Is<tk::TMainMenu>() && item.Parent() == menu->Items();
}

SIZE WideTextExtent(tk::TCanvas& canvas, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(canvas.Handle(), text.data(), static_cast<int>(text.size()), &size);
  return size;
}

// The skin's menu colours as the engine caches them.
struct TMenuColors {
  tk::TColor BarStart;
  tk::TColor BarEnd;
  tk::TColor Item;
  tk::TColor Text;
  tk::TColor Selected;
  tk::TColor SelectedBorder;
  tk::TColor SelectedText;
  tk::TColor DisabledText;
};

TMenuColors MenuColorsOf(const TzubSkinMetrics& metrics) {
  auto colour = [&metrics](int index) {
    return metrics.MenuColors[static_cast<std::size_t>(index - SKIN2_MENUBARSTARTCOLOR)];
  };
  return {colour(SKIN2_LEFTBARSTARTCOLOR),     colour(SKIN2_LEFTBARENDCOLOR),
          colour(SKIN2_MENUITEMCOLOR),         colour(SKIN2_MENUITEMFONTCOLOR),
          colour(SKIN2_SELECTEDMENUCOLOR),     colour(SKIN2_SELECTEDMENUBORDERCOLOR),
          colour(SKIN2_SELECTEDMENUFONTCOLOR), metrics.DisabledMenuTextColor};
}

// The bar at the leading side, flat when its two colours are equal, and the item background
// beside it.
void DrawBarAndBackground(tk::TCanvas& canvas, const tk::TRect& r, const TItemLayout& layout,
                          const TMenuColors& colors) {
  const int bw = layout.BarWidth;
  const tk::TRect bar = layout.RightToLeft ? tk::Rect(r.Right - bw, r.Top, r.Right, r.Bottom)
                                           : tk::Rect(r.Left, r.Top, r.Left + bw, r.Bottom);
  if (colors.BarStart == colors.BarEnd)
    FillRectColor(canvas, bar, colors.BarStart);
  else
    DrawHorizontalGradient(canvas, bar, colors.BarStart, colors.BarEnd);
  const tk::TRect rest = layout.RightToLeft ? tk::Rect(r.Left, r.Top, r.Right - bw, r.Bottom)
                                            : tk::Rect(r.Left + bw, r.Top, r.Right, r.Bottom);
  FillRectColor(canvas, rest, colors.Item);
}

// Caption and shortcut in the menu font, bold for the default item. A right-to-left caption
// ends before the bar, as a left-to-right one starts after it.
void DrawTexts(tk::TCanvas& canvas, const tk::TRect& r, const tk::TMenuItem& item,
               const TItemLayout& layout, tk::TColor color) {
  tk::TFont& font = canvas.Font();
  SetMenuFont(font);
  if (item.Default()) font.SetStyle(font.Style() | tk::fsBold);
  font.SetColor(color);
  canvas.Brush().Style = tk::bsClear;
  const HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, tk::GdiColor(color));
  const int bw = layout.BarWidth;
  RECT caption = layout.RightToLeft
                     ? RECT{r.Left + kCaptionGap, r.Top, r.Right - bw - kCaptionGap, r.Bottom}
                     : RECT{r.Left + bw + kCaptionGap, r.Top, r.Right, r.Bottom};
  const UINT direction = layout.RightToLeft ? DT_RIGHT : 0u;
  DrawTextW(dc, item.WideCaption().c_str(), -1, &caption, direction | kTextFormat);
  const std::string shortCut = tk::ShortCutToText(item.ShortCut());
  if (shortCut.empty()) return;
  const int width = canvas.TextWidth(shortCut);
  RECT box = layout.RightToLeft ? RECT{r.Left + kRightToLeftShortCutLeft, r.Top, r.Right, r.Bottom}
                                : RECT{r.Right - width - kShortCutGap, r.Top, r.Right, r.Bottom};
  DrawTextA(canvas.Handle(), shortCut.c_str(), -1, &box, kTextFormat);
}

// The check mark in the bar, or a frame round the image's place when the menu's own images
// have one for the item.
void DrawCheck(tk::TCanvas& canvas, const tk::TRect& r, const tk::TMenuItem& item,
               const TItemLayout& layout, const TMenuColors& colors) {
  const tk::TMenu* menu = item.GetParentMenu();
  const tk::TImageList* own = menu != nullptr ? menu->Images() : nullptr;
  const int index = item.ImageIndex();
  const int bw = layout.BarWidth;
  const int ih = layout.ImageHeight;
  if (own == nullptr || index < 0 || index >= own->Count()) {
    tk::TImageList& marks = CheckMarkImageList();
    const int x = layout.RightToLeft ? r.Right - kImageLeft - marks.Width()
                                     : r.Left + (bw - marks.Width()) / 2;
    const int y = layout.RightToLeft ? r.Top + kImageTop
                                     : r.Top + (ih + kImageHeightMargin - marks.Height()) / 2;
    marks.Draw(canvas, x, y, 0, item.Enabled());
    return;
  }
  const tk::TRect frame = layout.RightToLeft
                              ? tk::Rect(r.Right - bw + 5, r.Top + 1, r.Right - 2, r.Top + ih + 4)
                              : tk::Rect(r.Left + 2, r.Top + 1, r.Left + bw - 5, r.Top + ih + 4);
  FrameRectColor(canvas, frame, kImagePlaceFrameColor);
  FillRectColor(canvas, tk::Rect(frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1),
                colors.Item);
}

// The item's image from its image list, or else its own bitmap in a 16-pixel square.
void DrawImage(tk::TCanvas& canvas, const tk::TRect& r, const tk::TMenuItem& item,
               const TItemLayout& layout) {
  tk::TImageList* images = layout.Images;
  const int index = item.ImageIndex();
  if (index != -1 && images != nullptr) {
    if (index >= images->Count()) return;
    const int x = layout.RightToLeft ? r.Right - kImageLeft - images->Width() : r.Left + kImageLeft;
    images->Draw(canvas, x, r.Top + kImageTop, index, item.Enabled());
    return;
  }
  if (item.Bitmap().Empty()) return;
  const int left = layout.RightToLeft ? r.Right - kImageLeft - kBitmapSize : r.Left + kImageLeft;
  tk::TBitmap picture;
  picture.Assign(item.Bitmap());
  canvas.StretchDraw(
      tk::Rect(left, r.Top + kImageTop, left + kBitmapSize, r.Top + kImageTop + kBitmapSize),
      picture);
}

// Calls visit for every item below parent, at any depth.
template <typename Visit>
void ForEachItem(tk::TMenuItem& parent, Visit visit) {
  for (int i = 0; i < parent.Count(); ++i) {
    tk::TMenuItem* item = parent.Items(i);
    visit(*item);
    ForEachItem(*item, visit);
  }
}

// The owner's own menus, and the popup menus of its controls as far down as controls own
// them; components whose Tag is disabledTag are passed over with everything they own.
template <typename Apply>
void ForEachOwnedMenu(tk::TComponent& owner, std::intptr_t disabledTag, bool top, Apply apply) {
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    tk::TComponent* component = owner.Components(i);
    if (component->Tag() == disabledTag) continue;
    if (component->Is<tk::TPopupMenu>() || (top && component->Is<tk::TMenu>()))
      apply(static_cast<tk::TMenu*>(component));
    else if (component->Is<tk::TControl>())
      ForEachOwnedMenu(*component, disabledTag, false, apply);
  }
}

}  // namespace

// ---- Handlers --------------------------------------------------------------------------

void TzubMenuMeasureHandler::operator()(tk::TMenuItem* sender, tk::TCanvas& canvas, int& width,
                                        int& height) const {
  Engine->MeasureMenuItem(sender, canvas, width, height);
}

void TzubMenuDrawHandler::operator()(tk::TMenuItem* sender, tk::TCanvas& canvas, tk::TRect rect,
                                     bool selected) const {
  Engine->PaintMenuItem(sender, canvas, rect, selected);
}

bool IsEngineHandler(const tk::TMenuMeasureItemEvent& event, const TzubSkinEngine* engine) {
  const auto* handler = event.target<TzubMenuMeasureHandler>();
  return handler != nullptr && handler->Engine == engine;
}

bool IsEngineHandler(const tk::TMenuDrawItemEvent& event, const TzubSkinEngine* engine) {
  const auto* handler = event.target<TzubMenuDrawHandler>();
  return handler != nullptr && handler->Engine == engine;
}

bool IsEngineMenuItem(const tk::TMenuItem& item, const TzubSkinEngine* engine) {
  return IsEngineHandler(item.OnMeasureItem(), engine) &&
         IsEngineHandler(item.OnDrawItem(), engine);
}

// ---- What the menus had ------------------------------------------------------------------

void TzubMenuKeeper::KeepMenu(tk::TMenu& menu) {
  if (menus_.emplace(&menu, menu.OwnerDraw()).second) FreeNotification(&menu);
}

TzubMenuKeeper::TItemEvents& TzubMenuKeeper::ItemEvents(tk::TMenuItem& item) {
  const auto [entry, added] = items_.try_emplace(&item);
  if (added) FreeNotification(&item);
  return entry->second;
}

bool TzubMenuKeeper::TakeMenu(tk::TMenu& menu) {
  const auto found = menus_.find(&menu);
  if (found == menus_.end()) return false;
  const bool ownerDraw = found->second;
  menus_.erase(found);
  RemoveFreeNotification(&menu);
  return ownerDraw;
}

TzubMenuKeeper::TItemEvents TzubMenuKeeper::TakeItem(tk::TMenuItem& item) {
  const auto found = items_.find(&item);
  if (found == items_.end()) return {};
  TItemEvents events = std::move(found->second);
  items_.erase(found);
  RemoveFreeNotification(&item);
  return events;
}

std::vector<tk::TMenu*> TzubMenuKeeper::Menus() const {
  std::vector<tk::TMenu*> menus;
  for (const auto& entry : menus_) menus.push_back(entry.first);
  return menus;
}

std::vector<tk::TMenuItem*> TzubMenuKeeper::Items() const {
  std::vector<tk::TMenuItem*> items;
  for (const auto& entry : items_) items.push_back(entry.first);
  return items;
}

// A freed menu or item is compared by address only: it is no longer what it was.
void TzubMenuKeeper::Notification(tk::TComponent* component, tk::TOperation operation) {
  if (operation == tk::opRemove) {
    std::erase_if(menus_, [component](const auto& entry) { return entry.first == component; });
    std::erase_if(items_, [component](const auto& entry) { return entry.first == component; });
  }
  tk::TComponent::Notification(component, operation);
}

// ---- Switching menus -------------------------------------------------------------------

void TzubSkinEngine::OwnerDrawMenu(tk::TMenu* menu) {
  if (menu == nullptr) return;
  menuKeeper_->KeepMenu(*menu);
  menu->SetOwnerDraw(true);
  if (menu->Is<tk::TMainMenu>() && menu->Images() == nullptr) menu->SetImages(&MenuImageList());
  tk::TMenuItem* items = menu->Items();
  for (int i = 0; i < items->Count(); ++i) AttachMenuItem(items->Items(i));
}

// Events of the item's own are remembered for RestoreMenu; those that are this engine's
// already leave what was remembered before.
void TzubSkinEngine::AttachMenuItem(tk::TMenuItem* item) {
  if (item == nullptr) return;
  auto keep = [this](tk::TMenuItem& each) {
    TzubMenuKeeper::TItemEvents& kept = menuKeeper_->ItemEvents(each);
    if (!IsEngineHandler(each.OnMeasureItem(), this)) kept.OnMeasureItem = each.OnMeasureItem();
    if (!IsEngineHandler(each.OnDrawItem(), this)) kept.OnDrawItem = each.OnDrawItem();
  };
  keep(*item);
  ForEachItem(*item, keep);
  AssignMenuItemEvents(item, TzubMenuMeasureHandler{this}, TzubMenuDrawHandler{this});
}

// Gives back what the menu and its items had before the engine took them over. The main
// menu's Images are the engine's empty list only when it had none. Events the application
// replaced meanwhile stay the application's.
void TzubSkinEngine::RestoreMenu(tk::TMenu* menu) {
  if (menu == nullptr) return;
  menu->SetOwnerDraw(menuKeeper_->TakeMenu(*menu));
  if (menu->Is<tk::TMainMenu>() && menu->Images() == &MenuImageList()) menu->SetImages(nullptr);
  ForEachItem(*menu->Items(), [this](tk::TMenuItem& item) { RestoreMenuItem(item); });
}

void TzubSkinEngine::RestoreMenuItem(tk::TMenuItem& item) {
  TzubMenuKeeper::TItemEvents kept = menuKeeper_->TakeItem(item);
  if (IsEngineHandler(item.OnMeasureItem(), this))
    item.SetOnMeasureItem(std::move(kept.OnMeasureItem));
  if (IsEngineHandler(item.OnDrawItem(), this)) item.SetOnDrawItem(std::move(kept.OnDrawItem));
}

void TzubSkinEngine::RestoreAllMenus() {
  for (tk::TMenu* menu : menuKeeper_->Menus()) RestoreMenu(menu);
  for (tk::TMenuItem* item : menuKeeper_->Items()) RestoreMenuItem(*item);
}

void TzubSkinEngine::OwnerDrawOwnedMenus(tk::TComponent* owner) {
  if (owner == nullptr) return;
  ForEachOwnedMenu(*owner, disabledTag_, true, [this](tk::TMenu* menu) { OwnerDrawMenu(menu); });
}

void TzubSkinEngine::RestoreOwnedMenus(tk::TComponent* owner) {
  if (owner == nullptr) return;
  ForEachOwnedMenu(*owner, disabledTag_, true, [this](tk::TMenu* menu) { RestoreMenu(menu); });
}

// ---- Measuring and drawing -------------------------------------------------------------

void TzubSkinEngine::MeasureMenuItem(tk::TMenuItem* sender, tk::TCanvas& canvas, int& width,
                                     int& height) noexcept {
  try {
    if (sender == nullptr || IsMenuBarItem(*sender)) return;
    const tk::TImageList* images = GetMenuItemImages(sender);
    const int imageHeight = HasOwnImages(images) ? images->Height() + kImageHeightMargin : 0;
    const SIZE caption = WideTextExtent(canvas, sender->WideCaption());
    height = sender->IsLine()
                 ? kSeparatorHeight
                 : std::max({static_cast<int>(caption.cy), kMinItemHeight, imageHeight});
    width = static_cast<int>(caption.cx) +
            canvas.TextWidth(tk::ShortCutToText(sender->ShortCut())) + kWidthMargin;
  } catch (...) {
  }
}

void TzubSkinEngine::PaintMenuItem(tk::TMenuItem* sender, tk::TCanvas& canvas, const tk::TRect& r,
                                   bool selected) noexcept {
  try {
    if (sender == nullptr) return;
    const TItemLayout layout = LayoutOf(*sender);
    const TMenuColors colors = MenuColorsOf(metrics_);
    if (sender->IsLine()) {
      DrawBarAndBackground(canvas, r, layout, colors);
      DrawMenuSeparatorLine(canvas, r, kSeparatorColor, !layout.RightToLeft, layout.BarWidth);
      return;
    }
    const bool enabled = sender->Enabled();
    if (selected && enabled) {
      FillRectColor(canvas, r, colors.Selected);
      FrameRectColor(canvas, r, colors.SelectedBorder);
    } else {
      DrawBarAndBackground(canvas, r, layout, colors);
    }
    const tk::TColor text = !enabled   ? colors.DisabledText
                            : selected ? colors.SelectedText
                                       : colors.Text;
    DrawTexts(canvas, r, *sender, layout, text);
    if (sender->Checked()) DrawCheck(canvas, r, *sender, layout, colors);
    DrawImage(canvas, r, *sender, layout);
  } catch (...) {
  }
}

}  // namespace skin
