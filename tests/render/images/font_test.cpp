#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "archive/PxDb.h"
#include "core/Component.h"
#include "harness/ImageRecordBuilder.h"
#include "platform/doubles/RecordingGraphicsApi.h"
#include "render/Px2D.h"
#include "render/PxCanvas.h"
#include "render/PxDevices.h"
#include "render/PxFonts.h"
#include "render_test_fixture.h"

namespace tvx {
namespace {

using testing::FontRecordBuilder;
using testing::ImageRecordBuilder;

constexpr std::uint16_t kFont = 3;

// 96 glyphs from the space on, 10 x 8 pixels drawn in 16 x 8 cells of one texture.
std::vector<std::uint8_t> GlyphPicture() {
  return ImageRecordBuilder().Cell(16, 8).Draw(10, 8).Texture(256, 48).Bytes();
}

std::vector<std::int32_t> Advances(std::int32_t count, std::int32_t advance) {
  return std::vector<std::int32_t>(static_cast<std::size_t>(count), advance);
}

std::vector<std::uint8_t> AsciiFont(std::int32_t advance = 9, std::int32_t spacing = 0) {
  return FontRecordBuilder()
      .FirstChar(32)
      .GlyphSpacing(spacing)
      .Advances(Advances(96, advance))
      .Picture(GlyphPicture())
      .Bytes();
}

class Fonts : public ::testing::Test {
 protected:
  void SetUp() override {
    api.SetDrawObserver([this](const gfx::CallRecord& draw) { Capture(draw); });
    ASSERT_TRUE(device->Initialize());
  }

  TPxDb& Archive(const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& records,
                 std::uint16_t type = kFont) {
    std::vector<testing::TestRecord> typed;
    for (const auto& [key, bytes] : records) typed.push_back({key, type, bytes});
    return testing::WriteTestArchive(root, typed);
  }

  TPxFont& LoadedFont(const std::vector<std::uint8_t>& record) {
    TPxDb& archive = Archive({{"font", record}});
    TPxFont* font = fonts->AddFont();
    EXPECT_TRUE(font->LoadFontRecord("font", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
    return *font;
  }

  // Draws inside a scene and answers the textured vertices that reached the device.
  std::vector<gfx::TransformedVertex> Draw(TPxFont& font, const std::string& text, double x,
                                           double y, CanvasColor top = 0xFFFFFFFF,
                                           CanvasColor bottom = 0xFFFFFFFF) {
    drawn.clear();
    EXPECT_TRUE(device->BeginFrame());
    font.TextOut(text, x, y, top, bottom, EffectAlphaBlend);
    EXPECT_TRUE(device->EndFrame());
    return drawn;
  }

  static std::size_t Glyphs(const std::vector<gfx::TransformedVertex>& vertices) {
    return vertices.size() / 4;
  }
  // Left edge of glyph k as placed (textured vertices sit half a pixel up and left).
  static float GlyphLeft(const std::vector<gfx::TransformedVertex>& vertices, std::size_t k) {
    return vertices[4 * k].x + 0.5f;
  }

  gfx::RecordingGraphicsApi api;
  testing::RenderRig rig{api, {.fonts = true}};
  TComponent& root = rig.root;
  TPxFonts* fonts = rig.fonts;
  TPxDevice* device = rig.device;
  TPxCanvas* canvas = rig.canvas;
  std::vector<gfx::TransformedVertex> drawn;

 private:
  void Capture(const gfx::CallRecord& draw) {
    const auto& bytes = api.BufferData(api.StreamSource());
    const std::size_t first = drawn.size();
    drawn.resize(first + draw.args[3]);  // vertex count of the indexed draw
    std::memcpy(drawn.data() + first, bytes.data(), draw.args[3] * sizeof(gfx::TransformedVertex));
  }
};

TEST_F(Fonts, CanvasIsTakenFromTheOwnerAndDroppedWhenItGoes) {
  EXPECT_EQ(fonts->Canvas(), canvas);
  EXPECT_EQ(fonts->Device(), device);
  auto* second = CreateComponent<TPxCanvas>(&root);
  EXPECT_EQ(fonts->Canvas(), canvas);  // an assigned canvas stays
  delete canvas;
  EXPECT_EQ(fonts->Canvas(), nullptr);
  delete second;
  EXPECT_EQ(fonts->Canvas(), nullptr);
}

TEST_F(Fonts, AutomaticNamesCountOnAcrossFreeAll) {
  EXPECT_EQ(fonts->AddFont()->Name(), "Font00");
  EXPECT_EQ(fonts->AddFont()->Name(), "Font01");
  fonts->FreeAll();
  EXPECT_EQ(fonts->Count(), 0);
  TPxFont* font = fonts->AddFont();
  EXPECT_EQ(font->Name(), "Font02");
  EXPECT_FALSE(font->Loaded());
  EXPECT_EQ(font->Owner(), fonts);
}

TEST_F(Fonts, LoadsEveryFontRecordInTableOrder) {
  TPxDb& archive = Archive({{"f0", AsciiFont()},
                            {"f1", AsciiFont()},
                            {"f2", AsciiFont()},
                            {"f3", AsciiFont()},
                            {"f4", AsciiFont()}});
  ASSERT_TRUE(fonts->LoadFromPxDb(archive));
  ASSERT_EQ(fonts->Count(), 5);
  EXPECT_EQ(fonts->Items(0)->Name(), "f0");
  EXPECT_EQ(fonts->Items(4)->Name(), "f4");
  EXPECT_TRUE(fonts->Items(4)->Loaded());
  EXPECT_EQ(fonts->Items(5), nullptr);
  EXPECT_EQ(fonts->Items(-1), nullptr);
}

TEST_F(Fonts, LoadHandlerMaySkipRenameAndSteerTheFormat) {
  TPxDb& archive = Archive({{"skip", AsciiFont()}, {"keep", AsciiFont()}});
  std::vector<std::int32_t> indices;
  fonts->OnPxDbLoad = [&](TComponent* sender, const std::string& key, std::int32_t index,
                          bool& accept, std::string& name, TPxQuality&, TAlphaLevel& alphaLevel) {
    EXPECT_EQ(sender, fonts);
    indices.push_back(index);
    if (key == "skip") accept = false;
    name = "title";
    alphaLevel = TAlphaLevel::alMask;
  };
  ASSERT_TRUE(fonts->LoadFromPxDb(archive));
  EXPECT_EQ(indices, (std::vector<std::int32_t>{0, 0}));
  ASSERT_EQ(fonts->Count(), 1);
  EXPECT_EQ(fonts->Items(0)->Name(), "title");
  EXPECT_EQ(fonts->Items(0)->Image()->Format(), gfx::format::A1R5G5B5);
}

TEST_F(Fonts, StopsAtTheFirstFailureLeavingThatFontUnloaded) {
  TPxDb& archive = Archive({{"good", AsciiFont()}, {"bad", {1, 2, 3}}, {"never", AsciiFont()}});
  EXPECT_FALSE(fonts->LoadFromPxDb(archive));
  ASSERT_EQ(fonts->Count(), 2);
  EXPECT_TRUE(fonts->Items(0)->Loaded());
  EXPECT_FALSE(fonts->Items(1)->Loaded());
  EXPECT_EQ(fonts->Items(1)->Name(), "Font01");
}

TEST_F(Fonts, LoadingTwiceFailsAndKeepsTheFirstLoad) {
  TPxDb& archive = Archive({{"a", AsciiFont(9)}, {"b", AsciiFont(4)}});
  TPxFont* font = fonts->AddFont();
  ASSERT_TRUE(font->LoadFontRecord("a", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_FALSE(font->LoadFontRecord("b", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_EQ(font->Glyphs()[0], 9);
}

TEST_F(Fonts, RecordFieldsAreRead) {
  TPxFont& font = LoadedFont(FontRecordBuilder()
                                 .FirstChar(0x12345641)  // only the low byte counts
                                 .GlyphSpacing(-2)
                                 .Advances({5, 6, 7})
                                 .Picture(GlyphPicture())
                                 .Bytes());
  EXPECT_EQ(font.FirstChar(), 0x41);
  EXPECT_EQ(font.GlyphSpacing(), -2);
  EXPECT_EQ(font.GlyphCount(), 3);
  EXPECT_EQ(font.Glyphs(), (std::vector<std::int32_t>{5, 6, 7}));
  EXPECT_EQ(font.Image()->DrawSize().x, 10);
  // Unlike the image list's pictures, glyph pictures get a mip chain.
  EXPECT_TRUE(font.Image()->Mipmapping());
}

struct BadFont {
  const char* what;
  std::vector<std::uint8_t> bytes;
};

class RejectedFontRecord : public Fonts, public ::testing::WithParamInterface<BadFont> {};

TEST_P(RejectedFontRecord, FailsWithoutTexturesOrGlyphs) {
  TPxDb& archive = Archive({{"font", GetParam().bytes}});
  TPxFont* font = fonts->AddFont();
  EXPECT_FALSE(font->LoadFontRecord("font", archive, TPxQuality::pqHigh, TAlphaLevel::alFull))
      << GetParam().what;
  EXPECT_FALSE(font->Loaded());
  EXPECT_EQ(font->Image(), nullptr);
  EXPECT_EQ(font->GlyphCount(), 0);
  EXPECT_EQ(api.LiveTextures(), 0u);
}

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> bytes, std::size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    BadRecords, RejectedFontRecord,
    ::testing::Values(
        BadFont{"short header", {32, 0, 0, 0, 0, 0, 0}},
        BadFont{"negative glyph count",
                FontRecordBuilder().GlyphCountField(-1).Picture(GlyphPicture()).Bytes()},
        BadFont{"glyph count beyond the record",
                FontRecordBuilder().GlyphCountField(0x7FFFFFFF).Advances({1, 2}).Bytes()},
        BadFont{"glyph table cut short",
                Truncated(FontRecordBuilder().Advances({1, 2, 3}).Bytes(), 1)},
        BadFont{"no picture", FontRecordBuilder().Advances({1, 2, 3}).Bytes()},
        BadFont{"picture cut short",
                Truncated(FontRecordBuilder().Advances({1}).Picture(GlyphPicture()).Bytes(), 1)}));

TEST_F(Fonts, OnlyFontRecordsLoad) {
  TPxDb& archive = Archive({{"image", AsciiFont()}}, 1);
  EXPECT_FALSE(
      fonts->AddFont()->LoadFontRecord("image", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  EXPECT_FALSE(fonts->AddFont()->LoadFontRecord("missing", archive, TPxQuality::pqHigh,
                                                TAlphaLevel::alFull));
}

TEST_F(Fonts, FinalizeFreesEveryFont) {
  LoadedFont(AsciiFont());
  EXPECT_TRUE(fonts->HandleNotification(NotifyLost));
  EXPECT_EQ(fonts->Count(), 1);
  ASSERT_TRUE(device->Finalize());
  EXPECT_EQ(fonts->Count(), 0);
  EXPECT_EQ(api.LiveTextures(), 0u);
}

TEST_F(Fonts, GlyphsAdvanceByWidthPlusSpacing) {
  TPxFont& font = LoadedFont(AsciiFont(9, 1));
  const auto v = Draw(font, "AA", 20.7, 30.9);
  ASSERT_EQ(Glyphs(v), 2u);
  EXPECT_FLOAT_EQ(GlyphLeft(v, 0), 20);  // truncated toward zero
  EXPECT_FLOAT_EQ(v[0].y + 0.5f, 30);
  EXPECT_FLOAT_EQ(GlyphLeft(v, 1) - GlyphLeft(v, 0), 10);
  // Each glyph is the picture's draw size.
  EXPECT_FLOAT_EQ(v[1].x - v[0].x, 10);
  EXPECT_FLOAT_EQ(v[3].y - v[0].y, 8);
}

TEST_F(Fonts, MissingCharactersLeaveAGapOfBlankSpacingTimesTheDrawWidth) {
  TPxFont& font = LoadedFont(
      FontRecordBuilder().FirstChar(33).Advances(Advances(95, 9)).Picture(GlyphPicture()).Bytes());
  const auto v = Draw(font, "A A", 0, 0);
  ASSERT_EQ(Glyphs(v), 2u);
  EXPECT_FLOAT_EQ(GlyphLeft(v, 1), 9 + 3);
}

TEST_F(Fonts, ScaleAndInterleaveApplyToSizesAndAdvances) {
  TPxFont& font = LoadedFont(AsciiFont(9));
  font.Scale = 1.5;
  font.Interleave = 1;
  const auto v = Draw(font, "AAA", 0, 0);
  ASSERT_EQ(Glyphs(v), 3u);
  EXPECT_FLOAT_EQ(v[1].x - v[0].x, 15);
  EXPECT_FLOAT_EQ(v[3].y - v[0].y, 12);
  EXPECT_FLOAT_EQ(GlyphLeft(v, 1), 15);
  EXPECT_FLOAT_EQ(GlyphLeft(v, 2), 30);
}

TEST_F(Fonts, GradientRunsFromTheTopColourToTheBottomColour) {
  TPxFont& font = LoadedFont(AsciiFont());
  const auto v = Draw(font, "A", 0, 0, 0xFF0000FF, 0x80FF0000);
  ASSERT_EQ(Glyphs(v), 1u);
  // Canvas colours are 0xAABBGGRR, the device's 0xAARRGGBB.
  EXPECT_EQ(v[0].diffuse, 0xFFFF0000u);
  EXPECT_EQ(v[1].diffuse, 0xFFFF0000u);
  EXPECT_EQ(v[2].diffuse, 0x800000FFu);
  EXPECT_EQ(v[3].diffuse, 0x800000FFu);
}

TEST_F(Fonts, GlyphPatternsFollowTheCharacterCodes) {
  TPxFont& font = LoadedFont(AsciiFont());
  const auto v = Draw(font, "!", 0, 0);
  ASSERT_EQ(Glyphs(v), 1u);
  // Glyph 1 is the second 16-pixel cell; its 10 drawn pixels start 3 in.
  EXPECT_FLOAT_EQ(v[0].u * 256, 19);
  EXPECT_FLOAT_EQ(v[1].u * 256, 29);
}

TEST_F(Fonts, TextOutColorDrawsOneColourBlended) {
  TPxFont& font = LoadedFont(AsciiFont());
  drawn.clear();
  ASSERT_TRUE(device->BeginFrame());
  font.TextOutColor("A", 0, 0, 0xFF00FF00);
  ASSERT_TRUE(device->EndFrame());
  ASSERT_EQ(Glyphs(drawn), 1u);
  for (const gfx::TransformedVertex& vertex : drawn) EXPECT_EQ(vertex.diffuse, 0xFF00FF00u);
  EXPECT_EQ(api.RenderState(gfx::rs::SrcBlend), gfx::blend::SrcAlpha);
  EXPECT_EQ(api.RenderState(gfx::rs::DestBlend), gfx::blend::InvSrcAlpha);
}

TEST_F(Fonts, TopColourTagNeedsTwoCharactersAfterIt) {
  TPxFont& font = LoadedFont(AsciiFont());
  auto v = Draw(font, "#$FF0000FFab", 0, 0, 0xFFFFFFFF, 0xFF00FF00);
  ASSERT_EQ(Glyphs(v), 2u);
  EXPECT_EQ(v[0].diffuse, 0xFFFF0000u);
  EXPECT_EQ(v[7].diffuse, 0xFF00FF00u);
  EXPECT_FLOAT_EQ(GlyphLeft(v, 0), 0);

  v = Draw(font, "#$FF0000FFa", 0, 0);
  EXPECT_EQ(Glyphs(v), 11u);
  EXPECT_EQ(v[0].diffuse, 0xFFFFFFFFu);
}

TEST_F(Fonts, ATagIsTestedOnceAStepSoATagRightAfterABottomTagIsText) {
  TPxFont& font = LoadedFont(AsciiFont());
  const auto v = Draw(font, "&$FF00FF00#$FF0000FFxyz", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF);
  // The bottom tag goes; the "#" of the second is drawn, its "$" starts the next step.
  ASSERT_EQ(Glyphs(v), 13u);
  for (std::size_t k = 0; k < Glyphs(v); ++k) {
    EXPECT_EQ(v[4 * k].diffuse, 0xFFFFFFFFu) << k;
    EXPECT_EQ(v[4 * k + 2].diffuse, 0xFF00FF00u) << k;
  }
}

TEST_F(Fonts, BothColoursTagAndTagsInSequence) {
  TPxFont& font = LoadedFont(AsciiFont());
  auto v = Draw(font, "ab0xFF112233cd", 0, 0);
  ASSERT_EQ(Glyphs(v), 4u);
  EXPECT_EQ(v[0].diffuse, 0xFFFFFFFFu);
  EXPECT_EQ(v[8].diffuse, 0xFF332211u);
  EXPECT_EQ(v[10].diffuse, 0xFF332211u);
  // "#" then "&" then "0x" at the positions each leaves: all consumed in one step.
  v = Draw(font, "#$FF000001&$FF000002ab", 0, 0);
  ASSERT_EQ(Glyphs(v), 2u);
  EXPECT_EQ(v[0].diffuse, 0xFF010000u);
  EXPECT_EQ(v[2].diffuse, 0xFF020000u);
}

TEST_F(Fonts, InvalidDigitsKeepTheColourButSkipTheTag) {
  TPxFont& font = LoadedFont(AsciiFont());
  auto v = Draw(font, "#$FF00G0FFab", 0, 0, 0xFF445566, 0xFF445566);
  ASSERT_EQ(Glyphs(v), 2u);
  EXPECT_EQ(v[0].diffuse, 0xFF665544u);
  v = Draw(font, "#$ff0000ffab", 0, 0);  // digits in either case
  EXPECT_EQ(v[0].diffuse, 0xFFFF0000u);
}

TEST_F(Fonts, TagsAreTextWhenTextTagsIsOff) {
  TPxFont& font = LoadedFont(AsciiFont());
  font.TextTags = false;
  EXPECT_EQ(Glyphs(Draw(font, "#$FF0000FFab", 0, 0)), 12u);
}

TEST_F(Fonts, UnloadedFontsDrawNothingAndNeedNoCanvas) {
  TPxFont* font = fonts->AddFont();
  fonts->SetCanvas(nullptr);
  EXPECT_NO_THROW(font->TextOut("abc", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF, EffectAlphaBlend));
  TPxFont orphan(device, nullptr);
  EXPECT_NO_THROW(orphan.TextOutColor("abc", 0, 0, 0xFFFFFFFF));
}

TEST_F(Fonts, DrawingWithoutListOrCanvasIsMisuse) {
  TPxDb& archive = Archive({{"font", AsciiFont()}});
  TPxFont orphan(device, nullptr);
  ASSERT_TRUE(orphan.LoadFontRecord("font", archive, TPxQuality::pqHigh, TAlphaLevel::alFull));
  try {
    orphan.TextOutColor("a", 0, 0, 0xFFFFFFFF);
    ADD_FAILURE() << "no exception";
  } catch (const EFontError& error) {
    EXPECT_STREQ(error.what(), "TPxFont: Unassigned Owner property.");
  }

  TPxFont& font = LoadedFont(AsciiFont());
  fonts->SetCanvas(nullptr);
  try {
    font.TextOutColor("a", 0, 0, 0xFFFFFFFF);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "TPxFont: Unassigned Owner.Canvas property.");
  }
}

}  // namespace
}  // namespace tvx
