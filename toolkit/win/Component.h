#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/Object.h"

namespace tk {

enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csDesigning = 2,
  csDestroying = 4,
};
// A set of TComponentStateFlag bits.
using TComponentState = unsigned;

enum TOperation { opInsert, opRemove };

// A property a component stores beside its published ones as raw bytes ("SkinData"). Read
// takes the stored bytes while the component is loading; Write answers the bytes to store,
// or nothing when the property is not to be stored this time.
struct TDefinedProperty {
  std::string Name;
  std::function<void(const std::vector<std::uint8_t>&)> Read;
  std::function<std::optional<std::vector<std::uint8_t>>()> Write;
};

// A component owns the components created with it as owner and frees them, last first, when
// it is freed. Whoever must forget a component when it goes is told through Notification:
// its owner (who passes the news on to everything it owns) and every component linked to it
// with FreeNotification.
class TComponent : public TObject {
  TK_CLASS(TComponent, TObject)

 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // Takes component over from its current owner, if any.
  void InsertComponent(TComponent* component);
  // The owner lets go of component without freeing it.
  void RemoveComponent(TComponent* component);

  // The owned component of that name (ignoring case), or null.
  TComponent* FindComponent(std::string_view name) const;
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  std::intptr_t Tag() const { return tag_; }
  void SetTag(std::intptr_t tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }
  void SetDesigning(bool designing);
  // Marks the component as being read from a stored description, until Loaded.
  void BeginLoading() { state_ |= csLoading; }
  // Ends loading without Loaded, when reading the description failed.
  void EndLoading() { state_ &= ~csLoading; }
  // Called once the stored description has been read; overrides call this first.
  virtual void Loaded();
  // Adds the component's defined properties to properties; a stored description reads them
  // after the published ones. The default defines none; overrides call it first.
  virtual void DefineProperties(std::vector<TDefinedProperty>& properties);

  // Links this component and component so that each is told when the other is freed. Two
  // components with the same owner hear of each other through it already.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // Tells this component that component was inserted into or is being removed from its
  // owner, or is being freed. The default passes the news to every owned component, last
  // first; overrides drop their references and call it.
  virtual void Notification(TComponent* component, TOperation operation);

  // Nesting in stored descriptions. A component that has a parent (a control's windowed
  // parent, a menu item's parent item or menu) is written inside its parent's object and, when
  // read, placed inside the object that holds it; the others sit inside the root's object.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  // Places the component inside parent; the default refuses with EReadError.
  virtual void SetParentComponent(TComponent* parent);
  // The components this one keeps in an order of its own (a menu's items), to be written
  // inside its object in that order, before the other components that have it as parent.
  virtual void GetChildren(std::vector<TComponent*>& children) const;

 protected:
  // Sets csDestroying. Destructors of classes whose teardown sends messages call it first, so
  // that what runs during the teardown can see it.
  void Destroying() { state_ |= csDestroying; }

 private:
  void DestroyComponents();
  void NotifyFreeLinks();

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeLinks_;
  std::string name_;
  std::intptr_t tag_ = 0;
  TComponentState state_ = 0;
};

}  // namespace tk
