#include <gtest/gtest.h>

#include <vector>

#include "core/Component.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "render/PxDevices.h"
#include "render/PxSubsc.h"

namespace tvx {
namespace {

// Records the codes it hears into a shared journal and answers as told.
class JournalSubscriber : public TPxSubscriber {
 public:
  JournalSubscriber(TComponent* owner, std::vector<int>* journal, int id)
      : TPxSubscriber(owner), journal_(journal), id_(id) {}
  bool HandleNotification(std::int32_t code) override {
    journal_->push_back(id_ * 1000 + code);
    return answer;
  }
  bool answer = true;

 private:
  std::vector<int>* journal_;
  int id_;
};

TEST(PublisherNotify, AnswersTrueWithoutSubscribers) {
  TPxPublisher publisher(nullptr);
  EXPECT_TRUE(publisher.Notify(NotifyBeginScene));
}

TEST(PublisherNotify, StopsAtTheFirstRefusalInSubscriptionOrder) {
  std::vector<int> journal;
  TPxPublisher publisher(nullptr);
  JournalSubscriber a(nullptr, &journal, 1), b(nullptr, &journal, 2), c(nullptr, &journal, 3);
  c.SetPublisher(&publisher);
  a.SetPublisher(&publisher);
  b.SetPublisher(&publisher);
  EXPECT_TRUE(publisher.Notify(NotifyFlush));
  EXPECT_EQ(journal, (std::vector<int>{3513, 1513, 2513}));

  journal.clear();
  a.answer = false;
  EXPECT_FALSE(publisher.Notify(NotifyLost));
  EXPECT_EQ(journal, (std::vector<int>{3258, 1258}));
}

TEST(PublisherSubscriptions, UnsubscribeMovesLaterOnesDown) {
  std::vector<int> journal;
  TPxPublisher publisher(nullptr);
  JournalSubscriber a(nullptr, &journal, 1), b(nullptr, &journal, 2), c(nullptr, &journal, 3);
  for (TPxSubscriber* s : {static_cast<TPxSubscriber*>(&a), static_cast<TPxSubscriber*>(&b),
                           static_cast<TPxSubscriber*>(&c)}) {
    publisher.Subscribe(s);
  }
  publisher.Unsubscribe(&a);
  EXPECT_EQ(publisher.IndexOfSubscriber(&a), -1);
  EXPECT_EQ(publisher.IndexOfSubscriber(&b), 0);
  EXPECT_EQ(publisher.IndexOfSubscriber(&c), 1);
  publisher.Unsubscribe(&a);  // absent: nothing changes
  EXPECT_EQ(publisher.SubscriberCount(), 2);
  // The publisher never set the subscribers' side.
  EXPECT_EQ(b.Publisher(), nullptr);
  publisher.Unsubscribe(&b);
  publisher.Unsubscribe(&c);
}

TEST(PublisherSubscriptions, SettingTheSamePublisherTwiceKeepsOneEntry) {
  std::vector<int> journal;
  TPxPublisher publisher(nullptr);
  JournalSubscriber a(nullptr, &journal, 1);
  a.SetPublisher(&publisher);
  a.SetPublisher(&publisher);
  EXPECT_EQ(publisher.SubscriberCount(), 1);
  EXPECT_EQ(publisher.IndexOfSubscriber(&a), 0);
}

TEST(PublisherSubscriptions, MovingToAnotherPublisherLeavesTheFirst) {
  std::vector<int> journal;
  TPxPublisher first(nullptr), second(nullptr);
  JournalSubscriber a(nullptr, &journal, 1);
  a.SetPublisher(&first);
  a.SetPublisher(&second);
  EXPECT_EQ(first.IndexOfSubscriber(&a), -1);
  EXPECT_EQ(second.IndexOfSubscriber(&a), 0);
  a.SetPublisher(nullptr);
  EXPECT_EQ(second.SubscriberCount(), 0);
}

TEST(PublisherLifetime, DestroyedPublisherClearsSubscribersSilently) {
  std::vector<int> journal;
  JournalSubscriber a(nullptr, &journal, 1), b(nullptr, &journal, 2);
  {
    TPxPublisher publisher(nullptr);
    a.SetPublisher(&publisher);
    b.SetPublisher(&publisher);
  }
  EXPECT_EQ(a.Publisher(), nullptr);
  EXPECT_EQ(b.Publisher(), nullptr);
  EXPECT_TRUE(journal.empty());
}

TEST(PublisherLifetime, DestroyedSubscriberUnsubscribes) {
  std::vector<int> journal;
  TPxPublisher publisher(nullptr);
  {
    JournalSubscriber a(nullptr, &journal, 1);
    a.SetPublisher(&publisher);
  }
  EXPECT_EQ(publisher.SubscriberCount(), 0);
  EXPECT_TRUE(publisher.Notify(NotifyBeginScene));
}

TEST(ComponentInsertion, SubscriberAttachesToTheFirstPublisherInsertedIntoItsOwner) {
  std::vector<int> journal;
  TComponent owner(nullptr);
  auto* subscriber = CreateComponent<JournalSubscriber>(&owner, &journal, 1);
  auto* first = CreateComponent<TPxPublisher>(&owner);
  auto* second = CreateComponent<TPxPublisher>(&owner);
  EXPECT_EQ(subscriber->Publisher(), first);
  EXPECT_EQ(second->IndexOfSubscriber(subscriber), -1);

  delete first;  // removal notice clears the reference
  EXPECT_EQ(subscriber->Publisher(), nullptr);
}

TEST(ComponentInsertion, DeviceSubscriberTakesOnlyADevice) {
  gfx::RecordingGraphicsApi api;
  TComponent owner(nullptr);
  auto* subscriber = CreateComponent<TPxDeviceSubscriber>(&owner);
  CreateComponent<TPxPublisher>(&owner);
  EXPECT_EQ(subscriber->Publisher(), nullptr);
  auto* device = CreateComponent<TPxDevice>(&owner, api);
  EXPECT_EQ(subscriber->Device(), device);
  EXPECT_EQ(device->IndexOfSubscriber(subscriber), 0);
}

TEST(ComponentInsertion, SubscriberCreatedAfterThePublisherStaysUnattached) {
  std::vector<int> journal;
  TComponent owner(nullptr);
  CreateComponent<TPxPublisher>(&owner);
  auto* subscriber = CreateComponent<JournalSubscriber>(&owner, &journal, 1);
  // Only publishers inserted later are noticed; the owner's form wires earlier ones.
  EXPECT_EQ(subscriber->Publisher(), nullptr);
}

}  // namespace
}  // namespace tvx
