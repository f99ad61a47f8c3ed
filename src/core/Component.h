// The component tree: every component has an owner that frees it, and an owner tells its
// other components when one is inserted or removed, so that subscribers can find their
// publisher and drop references to components that go away.
//
// Insertion happens after construction (CreateComponent), because a component must be
// complete before others look at its class; removal happens while the component is being
// destroyed, so receivers may only compare its address.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tvx {

enum class TOperation { opInsert, opRemove };

class TComponent {
 public:
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }

  // Adds a constructed component to this owner's list and tells every component here.
  void InsertComponent(TComponent* component);

  // Called on the owner and on each of its components when a sibling comes or goes.
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void RemoveComponent(TComponent* component);

  TComponent* owner_;
  std::vector<TComponent*> components_;
};

// A form is the component that owns a window; some components insist on one as owner.
class TForm : public TComponent {
 public:
  explicit TForm(TComponent* owner = nullptr) : TComponent(owner) {}
  virtual std::uintptr_t WindowHandle() const = 0;
};

// Creates a component owned by `owner` and announces it once it is fully built.
template <class T, class... Args>
T* CreateComponent(TComponent* owner, Args&&... args) {
  T* component = new T(owner, std::forward<Args>(args)...);
  if (owner != nullptr) owner->InsertComponent(component);
  return component;
}

}  // namespace tvx
