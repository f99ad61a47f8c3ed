#include "render/PxSubsc.h"

#include <algorithm>

namespace tvx {

TPxPublisher::TPxPublisher(TComponent* owner) : TComponent(owner) {}

TPxPublisher::~TPxPublisher() {
  for (TPxSubscriber* subscriber : subscribers_) subscriber->ForgetPublisher();
  subscribers_.clear();
}

int TPxPublisher::IndexOfSubscriber(TPxSubscriber* subscriber) const {
  const auto it = std::find(subscribers_.begin(), subscribers_.end(), subscriber);
  return it == subscribers_.end() ? -1 : static_cast<int>(it - subscribers_.begin());
}

void TPxPublisher::Subscribe(TPxSubscriber* subscriber) {
  if (subscriber != nullptr && IndexOfSubscriber(subscriber) < 0) {
    subscribers_.push_back(subscriber);
  }
}

void TPxPublisher::Unsubscribe(TPxSubscriber* subscriber) {
  const int index = IndexOfSubscriber(subscriber);
  if (index >= 0) subscribers_.erase(subscribers_.begin() + index);
}

bool TPxPublisher::Notify(std::int32_t code) {
  // Index walk: a handler may unsubscribe itself while being told.
  for (std::size_t i = 0; i < subscribers_.size(); ++i) {
    if (!subscribers_[i]->HandleNotification(code)) return false;
  }
  return true;
}

TPxSubscriber::TPxSubscriber(TComponent* owner) : TComponent(owner) {}

TPxSubscriber::~TPxSubscriber() { SetPublisher(nullptr); }

void TPxSubscriber::SetPublisher(TPxPublisher* publisher) {
  if (publisher_ != nullptr && publisher_ != publisher) publisher_->Unsubscribe(this);
  publisher_ = publisher;
  if (publisher_ != nullptr) publisher_->Subscribe(this);
}

bool TPxSubscriber::HandleNotification(std::int32_t) { return true; }

void TPxSubscriber::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opInsert) {
    auto* publisher = dynamic_cast<TPxPublisher*>(component);
    if (publisher_ == nullptr && publisher != nullptr && AcceptsPublisher(publisher)) {
      SetPublisher(publisher);
    }
  } else if (component == publisher_) {
    // The publisher is half destroyed by now: only its address may be compared.
    publisher_ = nullptr;
  }
}

bool TPxSubscriber::AcceptsPublisher(TComponent* candidate) const {
  return dynamic_cast<TPxPublisher*>(candidate) != nullptr;
}

}  // namespace tvx
