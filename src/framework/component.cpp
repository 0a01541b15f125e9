#include "framework/component.h"

#include <algorithm>

namespace vantrel {

TComponent::TComponent(TComponent* AOwner) : owner_(AOwner) {
  if (owner_) {
    owner_->insertComponent(this);
  }
}

TComponent::~TComponent() {
  // Owned components go last-created first, as each may refer to those created before it.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    delete last;
  }
  if (owner_) {
    owner_->removeComponent(this);
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent != this) {
    for (TComponent* child : components_) {
      child->Notification(AComponent, Operation);
    }
  }
}

void TComponent::insertComponent(TComponent* component) {
  components_.push_back(component);
  for (TComponent* sibling : components_) {
    if (sibling != component) {
      sibling->Notification(component, TOperation::opInsert);
    }
  }
}

void TComponent::removeComponent(TComponent* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
  for (TComponent* sibling : components_) {
    sibling->Notification(component, TOperation::opRemove);
  }
}

}  // namespace vantrel
