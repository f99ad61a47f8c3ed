// Publisher and subscriber: a publisher keeps its subscribers in subscription order (each
// once, not owned) and sends them numbered notifications, stopping at the first that answers
// false. A subscriber attaches to the first publisher of the kind it accepts that is inserted
// into its owner, or to the one set through SetPublisher, and detaches when that publisher
// goes away. Neither side sends anything when the other is destroyed.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Component.h"

namespace tvx {

class TPxSubscriber;

class TPxPublisher : public TComponent {
 public:
  explicit TPxPublisher(TComponent* owner);
  ~TPxPublisher() override;

  // Position of the subscriber, -1 if absent.
  int IndexOfSubscriber(TPxSubscriber* subscriber) const;
  // Appends unless present.
  void Subscribe(TPxSubscriber* subscriber);
  // Removes if present; later subscribers move down one place.
  void Unsubscribe(TPxSubscriber* subscriber);
  // Tells every subscriber in order; answers false at the first that refuses.
  bool Notify(std::int32_t code);

  int SubscriberCount() const { return static_cast<int>(subscribers_.size()); }

 private:
  std::vector<TPxSubscriber*> subscribers_;
};

class TPxSubscriber : public TComponent {
 public:
  explicit TPxSubscriber(TComponent* owner);
  ~TPxSubscriber() override;

  TPxPublisher* Publisher() const { return publisher_; }
  void SetPublisher(TPxPublisher* publisher);

  // Reacts to a publisher's notification; the answer matters only to NotifyInitialize.
  virtual bool HandleNotification(std::int32_t code);

  void Notification(TComponent* component, TOperation operation) override;

 protected:
  // The kind of publisher this subscriber attaches to on its own (the publisher class).
  virtual bool AcceptsPublisher(TComponent* candidate) const;

 private:
  friend class TPxPublisher;
  // Called by a publisher that is going away: forget it without unsubscribing.
  void ForgetPublisher() { publisher_ = nullptr; }

  TPxPublisher* publisher_ = nullptr;
};

}  // namespace tvx
