#include <gtest/gtest.h>

#include "render/PxImages.h"
#include "render_test_fixture.h"

namespace tvx {
namespace {

using gfx::Call;
using enum TextureState;

class TextureStates : public testing::RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    image = std::make_unique<TPxImage>(device);
    image->SetWidth(8);
    image->SetHeight(8);
    image->SetTextureCount(2);
  }
  std::unique_ptr<TPxImage> image;
};

TEST_F(TextureStates, ActivatingPreparesAndCreatesEveryTexture) {
  image->SetState(Active);
  EXPECT_EQ(image->State(), Active);
  EXPECT_EQ(api.LiveTextures(), 2u);
  EXPECT_NE(image->Texture(1), 0u);
  EXPECT_EQ(image->Texture(2), 0u);
  image->SetState(Active);  // nothing more to do
  EXPECT_EQ(api.Count(Call::CreateTexture), 2u);
}

TEST_F(TextureStates, FailedPreparationStaysInactive) {
  image->SetCellSize({16, 8});
  image->SetState(Active);
  EXPECT_EQ(image->State(), Inactive);
  EXPECT_EQ(api.Count(Call::CreateTexture), 0u);
}

TEST_F(TextureStates, DeactivatingReleasesTheTextures) {
  image->SetState(Active);
  image->SetState(Inactive);
  EXPECT_EQ(image->State(), Inactive);
  EXPECT_EQ(api.LiveTextures(), 0u);
  EXPECT_EQ(image->Texture(0), 0u);
}

TEST_F(TextureStates, LossIsIgnoredUnlessTexturesAreReleasedOnLoss) {
  image->SetState(Active);
  image->SetState(Lost);
  EXPECT_EQ(image->State(), Active);
  image->SetReleaseOnLoss(true);
  image->SetState(Lost);
  EXPECT_EQ(image->State(), Lost);
  EXPECT_EQ(api.LiveTextures(), 0u);
}

TEST_F(TextureStates, AFailedRestoreCanBeRetried) {
  image->SetReleaseOnLoss(true);
  image->SetState(Active);
  image->SetState(Lost);
  api.FailOnce(Call::CreateTexture);
  image->SetState(Active);
  EXPECT_EQ(image->State(), RestoreFailed);
  EXPECT_EQ(api.LiveTextures(), 0u);
  api.FailOnce(Call::CreateTexture);
  image->SetState(Active);
  EXPECT_EQ(image->State(), RestoreFailed);
  image->SetState(Active);
  EXPECT_EQ(image->State(), Active);
  EXPECT_EQ(api.LiveTextures(), 2u);
}

TEST_F(TextureStates, InactiveImagesIgnoreLossAndRestoredOnesGoBackToInactive) {
  image->SetState(Lost);
  EXPECT_EQ(image->State(), Inactive);
  image->SetState(RestoreFailed);
  EXPECT_EQ(image->State(), Inactive);
  image->SetReleaseOnLoss(true);
  image->SetState(Active);
  image->SetState(Lost);
  image->SetState(Inactive);
  EXPECT_EQ(image->State(), Inactive);
  EXPECT_EQ(api.Count(Call::ReleaseTexture), 2u);
}

TEST_F(TextureStates, TextureCountNeverGoesBelowZero) {
  image->SetTextureCount(-5);
  EXPECT_EQ(image->TextureCount(), 0);
}

TEST_F(TextureStates, BindingChecksTheIndex) {
  image->SetState(Active);
  EXPECT_FALSE(image->BindTexture(0, -1));
  EXPECT_FALSE(image->BindTexture(0, 2));
  EXPECT_EQ(api.Count(Call::SetTexture), 0u);
  EXPECT_TRUE(image->BindTexture(3, 1));
  EXPECT_EQ(api.BoundTexture(3), image->Texture(1));
}

TEST_F(TextureStates, LocksReportPitchFormatAndModeFlags) {
  image->SetState(Active);
  TLockInfo lock;
  ASSERT_TRUE(image->LockTexture(1, LockModeReadOnly, lock));
  EXPECT_NE(lock.bits, nullptr);
  EXPECT_GE(lock.pitch, 8 * 4);
  EXPECT_EQ(lock.format, PixelFormat::pfA8R8G8B8);
  EXPECT_TRUE(image->UnlockTexture(1));
  ASSERT_TRUE(image->LockTextureRect(0, gfx::Rect{2, 3, 6, 7}, LockModeWrite, lock));
  EXPECT_TRUE(image->UnlockTexture(0));
  const auto locks = api.Calls(Call::LockRect);
  ASSERT_EQ(locks.size(), 2u);
  // texture, level, left, top, flags
  EXPECT_EQ(locks[0].args[4], gfx::lock::ReadOnly);
  EXPECT_EQ(locks[1].args[2], 2u);
  EXPECT_EQ(locks[1].args[3], 3u);
  EXPECT_EQ(locks[1].args[4], 0u);
  EXPECT_FALSE(image->LockTexture(2, LockModeWrite, lock));
  EXPECT_FALSE(image->UnlockTexture(5));
}

TEST_F(TextureStates, DestroyingAnActiveImageReleasesItsTextures) {
  image->SetState(Active);
  image.reset();
  EXPECT_EQ(api.LiveTextures(), 0u);
}

}  // namespace
}  // namespace tvx
