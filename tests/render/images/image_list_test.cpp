#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "harness/ImageRecordBuilder.h"
#include "render/PxImages.h"
#include "render_test_fixture.h"

namespace tvx {
namespace {

using gfx::Call;
using testing::ImageRecordBuilder;
using testing::TestRecord;

constexpr std::uint16_t kImage = 1;
constexpr std::uint16_t kFont = 3;

std::vector<std::uint8_t> SmallImage() { return ImageRecordBuilder().Texture(4, 4).Bytes(); }
std::vector<std::uint8_t> BadImage() {
  return ImageRecordBuilder().Texture(4, 4).Truncate(1).Bytes();
}

class ImageList : public testing::RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    images = CreateComponent<TPxImages>(&root);
    images->SetPublisher(device);
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < images->Count(); ++i) names.push_back(images->Items(i)->Name());
    return names;
  }

  TPxImages* images = nullptr;
};

TEST_F(ImageList, LoadsEveryImageRecordInTableOrderAndSkipsOthers) {
  TPxDb& archive = Archive({{"road0", kImage, SmallImage()},
                            {"font", kFont, {1, 2, 3}},
                            {"crash.mp3", 0, {4, 5}},
                            {"car", kImage, SmallImage()}});
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  EXPECT_EQ(Names(), (std::vector<std::string>{"road0", "car"}));
  EXPECT_EQ(images->Items(0)->State(), TextureState::Active);
  EXPECT_EQ(images->Items(2), nullptr);
  EXPECT_EQ(images->Items(-1), nullptr);
}

TEST_F(ImageList, ImagesOfTheListHaveNoMipChainUnlessAsked) {
  TPxDb& archive = Archive({{"a", kImage, SmallImage()}, {"b", kImage, SmallImage()}});
  ASSERT_TRUE(images->LoadImageRecord("a", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  images->SetMipMappping(true);
  ASSERT_TRUE(images->LoadImageRecord("b", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_FALSE(images->Items(0)->Mipmapping());
  EXPECT_TRUE(images->Items(1)->Mipmapping());
  const auto created = api.Calls(Call::CreateTexture);
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(created[0].args[2], 1u);
  EXPECT_EQ(created[1].args[2], 0u);
}

TEST_F(ImageList, StopsAtTheFirstFailureKeepingWhatLoaded) {
  TPxDb& archive = Archive({{"good", kImage, SmallImage()},
                            {"bad", kImage, BadImage()},
                            {"never", kImage, SmallImage()}});
  EXPECT_FALSE(images->LoadFromPxDb(archive));
  EXPECT_EQ(Names(), (std::vector<std::string>{"good"}));
  EXPECT_EQ(api.LiveTextures(), 1u);
}

TEST_F(ImageList, FailsForAnArchiveThatCannotBeOpened) {
  auto* archive = CreateComponent<TPxDb>(&root);
  archive->SetFileName(::testing::TempDir() + "no_such_archive.tvx");
  archive->OpenMode = TOpenModes::opReadOnly;
  EXPECT_FALSE(images->LoadFromPxDb(*archive));
  EXPECT_FALSE(images->LoadImageRecord("road0", *archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
}

TEST_F(ImageList, SingleRecordsNeedTheKeyAndTheImageType) {
  TPxDb& archive = Archive({{"font", kFont, SmallImage()}, {"road0", kImage, SmallImage()}});
  EXPECT_FALSE(images->LoadImageRecord("font", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_FALSE(images->LoadImageRecord("road1", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_EQ(images->Count(), 0);
  ASSERT_TRUE(images->LoadImageRecord("ROAD0", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_EQ(images->Items(0)->Name(), "ROAD0");
}

TEST_F(ImageList, RejectedRecordsLeaveTheListAsItWas) {
  TPxDb& archive = Archive({{"good", kImage, SmallImage()},
                            {"bad", kImage, ImageRecordBuilder().FormatByte(200).Bytes()}});
  ASSERT_TRUE(images->LoadImageRecord("good", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_FALSE(images->LoadImageRecord("bad", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  api.FailOnce(Call::CreateTexture);
  EXPECT_FALSE(images->LoadImageRecord("good", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_EQ(Names(), (std::vector<std::string>{"good"}));
  EXPECT_EQ(api.LiveTextures(), 1u);
}

// Pictures of the list are filled from their record the first time they are bound or locked.
TEST_F(ImageList, PixelsArriveAtTheFirstBindOrLockOnce) {
  ImageRecordBuilder record;
  record.Texture(4, 4, 2).FillPixels(0x80FF4020);
  TPxDb& archive = Archive({{"a", kImage, record.Bytes()}, {"b", kImage, record.Bytes()}});
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  EXPECT_EQ(api.Count(Call::LockRect), 0u);
  TPxImage& bound = *images->Items(0);
  const std::vector<std::uint8_t> blank = api.TextureData(bound.Texture(1), 0);

  ASSERT_TRUE(device->BeginFrame());
  ASSERT_TRUE(bound.BindTexture(0, 0));  // from the record data the load handed over
  ASSERT_TRUE(device->EndFrame());
  EXPECT_EQ(api.Count(Call::LockRect), 2u);  // every texture of the image
  const std::vector<std::uint8_t> filled = api.TextureData(bound.Texture(1), 0);
  EXPECT_NE(filled, blank);
  ASSERT_TRUE(bound.BindTexture(0, 1));
  EXPECT_EQ(api.Count(Call::LockRect), 2u);
  // After the load's frame the record data is gone and the stored bytes inflate again.
  TPxImage& later = *images->Items(1);
  ASSERT_TRUE(later.BindTexture(0, 0));
  EXPECT_EQ(api.TextureData(later.Texture(1), 0), filled);

  // A lock the device refuses then leaves that texture blank, the image still loaded.
  ASSERT_TRUE(images->LoadImageRecord("a", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  TPxImage& locked = *images->Items(2);
  api.FailOnce(Call::LockRect);
  TLockInfo info;
  ASSERT_TRUE(locked.LockTexture(0, LockModeReadOnly, info));
  EXPECT_EQ(std::vector<std::uint8_t>(info.bits, info.bits + 4 * 4 * 4),
            std::vector<std::uint8_t>(blank.begin(), blank.begin() + 4 * 4 * 4));
  locked.UnlockTexture(0);
  EXPECT_EQ(api.TextureData(locked.Texture(1), 0), blank);
}

TEST_F(ImageList, LoadHandlerSeesEachRecordAndMaySkipRenameOrSteerIt) {
  TPxDb& archive = Archive(
      {{"a", kImage, SmallImage()}, {"b", kImage, SmallImage()}, {"c", kImage, SmallImage()}});
  std::vector<std::pair<std::string, std::int32_t>> seen;
  images->OnPxDbLoad = [&](TComponent* sender, const std::string& key, std::int32_t index,
                           bool& accept, std::string& name, TPxQuality& quality,
                           TAlphaLevel& alphaLevel) {
    EXPECT_EQ(sender, images);
    EXPECT_TRUE(accept);
    EXPECT_EQ(name, key);
    EXPECT_EQ(quality, TPxQuality::pqHigh);
    EXPECT_EQ(alphaLevel, TAlphaLevel::alFull);
    seen.emplace_back(key, index);
    if (key == "a") accept = false;
    if (key == "b") name = "renamed";
    if (key == "c") alphaLevel = TAlphaLevel::alExclusive;
  };
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  EXPECT_EQ(seen,
            (std::vector<std::pair<std::string, std::int32_t>>{{"a", 0}, {"b", 0}, {"c", 1}}));
  EXPECT_EQ(Names(), (std::vector<std::string>{"renamed", "c"}));
  EXPECT_EQ(images->Items(1)->AlphaLevel(), TAlphaLevel::alExclusive);
  EXPECT_EQ(images->Items(1)->Format(), gfx::format::A8);
}

TEST_F(ImageList, FindsByNameIgnoringAsciiCaseFirstLoadedWins) {
  TPxDb& archive = Archive({{"road0", kImage, SmallImage()},
                            {"twin", kImage, SmallImage()},
                            {"Road0", kImage, ImageRecordBuilder().Texture(8, 8).Bytes()}});
  images->OnPxDbLoad = [](TComponent*, const std::string& key, std::int32_t, bool&,
                          std::string& name, TPxQuality&, TAlphaLevel&) {
    if (key == "twin") name = "nextlevel";
  };
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  EXPECT_EQ(images->FindImage("ROAD0"), images->Items(0));
  EXPECT_EQ(images->FindImage("road0"), images->Items(0));
  EXPECT_EQ(images->FindImage("NextLevel"), images->Items(1));
  EXPECT_EQ(images->FindImage("twin"), nullptr);
  EXPECT_EQ(images->FindImage("road"), nullptr);
  EXPECT_EQ(images->FindImage(""), nullptr);
}

TEST_F(ImageList, FinalizeFreesEveryImageAndItsTextures) {
  TPxDb& archive = Archive({{"a", kImage, SmallImage()}, {"b", kImage, SmallImage()}});
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  EXPECT_EQ(api.LiveTextures(), 2u);
  EXPECT_TRUE(images->HandleNotification(NotifyFinalize));
  EXPECT_EQ(images->Count(), 0);
  EXPECT_EQ(api.LiveTextures(), 0u);
}

TEST_F(ImageList, DeviceFinalizeReachesTheList) {
  TPxDb& archive = Archive({{"a", kImage, SmallImage()}});
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  ASSERT_TRUE(device->Finalize());
  EXPECT_EQ(images->Count(), 0);
}

TEST_F(ImageList, ManagedImagesStayActiveThroughLossAndRestore) {
  TPxDb& archive = Archive({{"a", kImage, SmallImage()}});
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  for (const std::int32_t code : {NotifyInitialize, NotifyLost, NotifyRestored, NotifyBeginScene}) {
    EXPECT_TRUE(images->HandleNotification(code));
  }
  EXPECT_EQ(images->Items(0)->State(), TextureState::Active);
  EXPECT_EQ(api.Count(Call::CreateTexture), 1u);
}

TEST_F(ImageList, ImagesReleasedOnLossAreRecreatedOnRestore) {
  TPxDb& archive = Archive({{"a", kImage, SmallImage()}});
  ASSERT_TRUE(images->LoadFromPxDb(archive));
  images->Items(0)->SetReleaseOnLoss(true);
  images->HandleNotification(NotifyLost);
  EXPECT_EQ(images->Items(0)->State(), TextureState::Lost);
  EXPECT_EQ(api.LiveTextures(), 0u);
  images->HandleNotification(NotifyRestored);
  EXPECT_EQ(images->Items(0)->State(), TextureState::Active);
  EXPECT_EQ(api.LiveTextures(), 1u);
}

}  // namespace
}  // namespace tvx
