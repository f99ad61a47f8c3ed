#include "core/Component.h"

#include <algorithm>

namespace tvx {

TComponent::~TComponent() {
  // Owned components go last-created first, as their owner expects to outlive them.
  while (!components_.empty()) {
    TComponent* child = components_.back();
    delete child;  // the child's destructor removes it from components_
  }
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* component) {
  if (std::find(components_.begin(), components_.end(), component) != components_.end()) return;
  components_.push_back(component);
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  Notification(component, TOperation::opRemove);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  // The owner forwards the notice to its components; a copy guards against lists that
  // change while they are told.
  const std::vector<TComponent*> snapshot = components_;
  for (TComponent* other : snapshot) {
    if (other != component) other->Notification(component, operation);
  }
}

}  // namespace tvx
