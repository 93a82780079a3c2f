// The window and menu utilities that look at the application's forms and menus.

#include <algorithm>
#include <vector>

#include "WinWindowUtils.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Screen.h"

namespace skin {

namespace {

// A menu item recorded by AssignMenuItemEvents with the image list it shows.
struct TMenuImagePair {
  const tk::TMenuItem* Item;
  tk::TImageList* Images;
};

// Forgets a recorded item when it is freed, so that an item made later at the same address
// is not taken for it.
class TMenuImageRecord : public tk::TComponent {
 public:
  TMenuImageRecord() : TComponent(nullptr) {}

  void Add(tk::TMenuItem* item, tk::TImageList* images) {
    const bool known = std::any_of(pairs_.begin(), pairs_.end(), [&](const TMenuImagePair& p) {
      return p.Item == item && p.Images == images;
    });
    // A pair recorded again would change no lookup: only the first pair of an item counts.
    if (known) return;
    pairs_.push_back({item, images});
    item->FreeNotification(this);
  }

  const TMenuImagePair* Find(const tk::TMenuItem* item) const {
    const auto it = std::find_if(pairs_.begin(), pairs_.end(),
                                 [item](const TMenuImagePair& p) { return p.Item == item; });
    return it != pairs_.end() ? &*it : nullptr;
  }

  void Notification(tk::TComponent* component, tk::TOperation operation) override {
    if (operation == tk::opRemove)
      pairs_.erase(
          std::remove_if(pairs_.begin(), pairs_.end(),
                         [component](const TMenuImagePair& p) { return p.Item == component; }),
          pairs_.end());
    TComponent::Notification(component, operation);
  }

 private:
  std::vector<TMenuImagePair> pairs_;
};

TMenuImageRecord& MenuImages() {
  static TMenuImageRecord record;
  return record;
}

tk::TRect PrimaryWorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return tk::Rect(area.left, area.top, area.right, area.bottom);
}

tk::TCustomForm* MainForm() {
  const tk::TApplication* app = tk::Application();
  return app != nullptr ? app->MainForm() : nullptr;
}

bool IsMDIFrame(const tk::TCustomForm* form) {
  return form != nullptr && form->FormStyle() == tk::fsMDIForm;
}

// A named item directly below its menu's root item.
bool IsRootChild(const tk::TMenuItem* item) {
  const tk::TMenu* menu = item->GetParentMenu();
  return menu != nullptr && item->Parent() == menu->Items();
}

}  // namespace

tk::TRect GetWorkArea(HWND wnd) {
  tk::TRect r = PrimaryWorkArea();
  if (MainForm() != nullptr)
    if (const tk::TMonitor* monitor = tk::Screen().MonitorFromWindow(wnd))
      r = monitor->WorkareaRect();
  --r.Bottom;
  return r;
}

void SetFormBounds(tk::TCustomForm& form, const tk::TRect& r) {
  form.SetLeft(r.Left);
  form.SetTop(r.Top);
  form.SetWidth(r.Width());
  form.SetHeight(r.Height());
}

tk::TCustomForm* FindFormByHandle(HWND wnd) {
  tk::TScreen& screen = tk::Screen();
  for (int i = 0; i < screen.FormCount(); ++i) {
    tk::TCustomForm* form = screen.Forms(i);
    if (form->HandleAllocated() && form->Handle() == wnd) return form;
  }
  return nullptr;
}

bool IsFormActive(tk::TCustomForm* form) {
  if (form != nullptr) {
    const LRESULT answer = SendMessageA(form->Handle(), kDrawStateQuery, 0, 0);
    if (answer > 0) return answer == 1;
  }
  tk::TCustomForm* main = MainForm();
  if (main == nullptr) return form != nullptr && form->Active();
  if (IsMDIFrame(main) && form == main) return true;
  if (!tk::Application()->Active()) return false;
  if (form == nullptr || form == main) return true;
  if (IsMDIFrame(main) && main->ClientHandle() != nullptr &&
      reinterpret_cast<HWND>(SendMessageA(main->ClientHandle(), WM_MDIGETACTIVE, 0, 0)) ==
          form->Handle())
    return true;
  return form->Active();
}

void AssignMenuItemEvents(tk::TMenuItem* item, const tk::TMenuMeasureItemEvent& onMeasure,
                          const tk::TMenuDrawItemEvent& onDraw) {
  if (item == nullptr) return;
  item->SetOnDrawItem(onDraw);
  item->SetOnMeasureItem(onMeasure);
  const tk::TMenuItem* parent = item->Parent();
  if (parent != nullptr && parent->Parent() != nullptr && !parent->Name().empty() &&
      IsRootChild(parent) && parent->SubMenuImages() != nullptr)
    MenuImages().Add(item, parent->SubMenuImages());
  for (int i = 0; i < item->Count(); ++i) AssignMenuItemEvents(item->Items(i), onMeasure, onDraw);
}

bool IsNamedTopLevelItem(const tk::TMenuItem* item) {
  return item != nullptr && item->Parent() != nullptr && !item->Name().empty() && IsRootChild(item);
}

tk::TImageList* GetMenuItemImages(const tk::TMenuItem* item) {
  if (item == nullptr) return nullptr;
  if (IsNamedTopLevelItem(item))
    if (const TMenuImagePair* pair = MenuImages().Find(item)) return pair->Images;
  for (const tk::TMenuItem* a = item->Parent(); a != nullptr; a = a->Parent()) {
    if (a->SubMenuImages() != nullptr) return a->SubMenuImages();
    if (IsNamedTopLevelItem(a))
      if (const TMenuImagePair* pair = MenuImages().Find(a)) return pair->Images;
  }
  const tk::TMenu* menu = item->GetParentMenu();
  return menu != nullptr ? menu->Images() : nullptr;
}

}  // namespace skin
