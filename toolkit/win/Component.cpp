#include "Component.h"

#include <algorithm>

#include "toolkit/core/Exception.h"
#include "toolkit/core/SysUtils.h"

namespace tk {

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

bool Contains(const std::vector<TComponent*>& list, const TComponent* component) {
  return std::find(list.begin(), list.end(), component) != list.end();
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

// Free links are told first, while the owner still lists this component; then the owned
// components go, last first; then the owner and, through it, this component's siblings.
TComponent::~TComponent() {
  Destroying();
  NotifyFreeLinks();
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (component == nullptr || component->owner_ == this) return;
  if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (component == nullptr || component->owner_ != this) return;
  Notification(component, opRemove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::SetDesigning(bool designing) {
  if (designing)
    state_ |= csDesigning;
  else
    state_ &= ~csDesigning;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_)
    if (SameText(component->name_, name)) return component;
  return nullptr;
}

void TComponent::Loaded() {
  state_ &= ~csLoading;
}

void TComponent::DefineProperties(std::vector<TDefinedProperty>&) {}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (owner_ != nullptr && component->owner_ == owner_) return;
  if (!Contains(freeLinks_, component)) freeLinks_.push_back(component);
  if (!Contains(component->freeLinks_, this)) component->freeLinks_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  Erase(freeLinks_, component);
  Erase(component->freeLinks_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  // Index loop: a component told of a removal may free others it owns, never its siblings.
  for (auto i = components_.size(); i-- > 0;)
    if (i < components_.size()) components_[i]->Notification(component, operation);
}

void TComponent::SetParentComponent(TComponent* parent) {
  throw EReadError(std::string(ClassName()) + " cannot be placed on " +
                   (parent != nullptr ? parent->ClassName() : "nothing"));
}

void TComponent::GetChildren(std::vector<TComponent*>&) const {}

// The owned components are all going, so they are not told of each other's removal.
void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    components_.pop_back();
    last->owner_ = nullptr;
    delete last;
  }
}

// Each link is undone before its component hears of the removal, so that an override that
// does not call the inherited Notification still leaves no pointer behind.
void TComponent::NotifyFreeLinks() {
  while (!freeLinks_.empty()) {
    TComponent* linked = freeLinks_.back();
    RemoveFreeNotification(linked);
    linked->Notification(this, opRemove);
  }
}

}  // namespace tk
