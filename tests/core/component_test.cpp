#include "core/Component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tvx {
namespace {

std::vector<std::string> events;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name) : TComponent(owner), name_(std::move(name)) {}
  ~Probe() override { events.push_back("free " + name_); }
  void Notification(TComponent* component, TOperation operation) override {
    auto* other = dynamic_cast<Probe*>(component);
    if (operation == TOperation::opInsert && other != nullptr)
      events.push_back(name_ + " sees insert " + other->name_);
    if (operation == TOperation::opRemove) events.push_back(name_ + " sees remove");
    TComponent::Notification(component, operation);
  }

 private:
  std::string name_;
};

TEST(Component, TellsSiblingsOfInsertsWithTheCompleteClass) {
  events.clear();
  TComponent owner(nullptr);
  CreateComponent<Probe>(&owner, "a");
  CreateComponent<Probe>(&owner, "b");
  EXPECT_EQ(events, (std::vector<std::string>{"a sees insert b"}));
  EXPECT_EQ(owner.Components().size(), 2u);
}

TEST(Component, OwnerFreesLastCreatedFirstAndTellsTheRest) {
  events.clear();
  {
    TComponent owner(nullptr);
    CreateComponent<Probe>(&owner, "a");
    CreateComponent<Probe>(&owner, "b");
    events.clear();
  }
  EXPECT_EQ(events, (std::vector<std::string>{"free b", "a sees remove", "free a"}));
}

TEST(Component, FreeingOneComponentRemovesItFromItsOwner) {
  events.clear();
  TComponent owner(nullptr);
  Probe* a = CreateComponent<Probe>(&owner, "a");
  CreateComponent<Probe>(&owner, "b");
  delete a;
  EXPECT_EQ(owner.Components().size(), 1u);
}

}  // namespace
}  // namespace tvx
