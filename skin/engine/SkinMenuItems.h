#pragma once

#include <map>
#include <vector>

#include "toolkit/core/Types.h"
#include "toolkit/win/Canvas.h"
#include "toolkit/win/Component.h"
#include "toolkit/win/ImageList.h"
#include "toolkit/win/Menus.h"

namespace skin {

class TzubSkinEngine;

// The engine's handlers of a menu item's OnMeasureItem and OnDrawItem events. They are kept
// as types of their own so that an item's event tells whether it is this engine's handler.
struct TzubMenuMeasureHandler {
  TzubSkinEngine* Engine;
  void operator()(tk::TMenuItem* sender, tk::TCanvas& canvas, int& width, int& height) const;
};
struct TzubMenuDrawHandler {
  TzubSkinEngine* Engine;
  void operator()(tk::TMenuItem* sender, tk::TCanvas& canvas, tk::TRect rect, bool selected) const;
};

// Whether each event of the item is a handler of engine; IsEngineMenuItem: both are.
bool IsEngineHandler(const tk::TMenuMeasureItemEvent& event, const TzubSkinEngine* engine);
bool IsEngineHandler(const tk::TMenuDrawItemEvent& event, const TzubSkinEngine* engine);
bool IsEngineMenuItem(const tk::TMenuItem& item, const TzubSkinEngine* engine);

// What the menus and items an engine draws had of their own before it took them over, so that
// the engine can give it back. Entries go when their menu or item is freed.
class TzubMenuKeeper : public tk::TComponent {
 public:
  struct TItemEvents {
    tk::TMenuMeasureItemEvent OnMeasureItem;
    tk::TMenuDrawItemEvent OnDrawItem;
  };

  TzubMenuKeeper() : tk::TComponent(nullptr) {}

  // Remembers the menu's OwnerDraw unless it is remembered already.
  void KeepMenu(tk::TMenu& menu);
  // The item's remembered events, empty ones made on first use.
  TItemEvents& ItemEvents(tk::TMenuItem& item);
  // What was remembered, forgotten now: the menu's OwnerDraw (false when nothing was) and the
  // item's events (empty ones when nothing was).
  bool TakeMenu(tk::TMenu& menu);
  TItemEvents TakeItem(tk::TMenuItem& item);
  // The menus and items remembered, in no particular order.
  std::vector<tk::TMenu*> Menus() const;
  std::vector<tk::TMenuItem*> Items() const;

  void Notification(tk::TComponent* component, tk::TOperation operation) override;

 private:
  std::map<tk::TMenu*, bool> menus_;
  std::map<tk::TMenuItem*, TItemEvents> items_;
};

}  // namespace skin
