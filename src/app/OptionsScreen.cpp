#include "app/OptionsScreen.h"

#include <cstdio>

#include "app/PlayerControls.h"
#include "game/ImageNames.h"
#include "game/SoundNames.h"
#include "options/OptionsView.h"
#include "platform/KeyboardDevice.h"
#include "render/PxImages.h"
#include "settings/KeyNames.h"
#include "settings/PadNames.h"
#include "settings/SettingsTable.h"
#include "sound/SoundSystem.h"

namespace tvx {

namespace {

constexpr std::uint32_t kMuteNoticeMs = 2000;

// The keyboard slots of the screen's own keys beside the arrows (dik::).
namespace slot {
constexpr std::uint8_t Escape = 0x01;
constexpr std::uint8_t Return = 0x1C;
constexpr std::uint8_t KeypadEnter = 0x9C;
}  // namespace slot

}  // namespace

OptionsScreen::OptionsScreen(SdlApplication& application, GlGraphicsApi& graphics,
                             SdlAudioLibrary& audio, IClock& clock, SettingsFile& file,
                             Settings& settings)
    : application_(application),
      graphics_(graphics),
      audio_(audio),
      clock_(clock),
      file_(file),
      settings_(settings) {
  application_.Input().SetTaker(this);
}

OptionsScreen::~OptionsScreen() {
  Disconnect();
  application_.Input().SetTaker(nullptr);
}

void OptionsScreen::Connect(TForm1& form) {
  form_ = &form;
  form.OnScreenDrawn = [this] { Draw(); };
}

void OptionsScreen::Disconnect() {
  if (form_ != nullptr) form_->OnScreenDrawn = nullptr;
  form_ = nullptr;
  menu_.reset();
}

void OptionsScreen::Say(std::string text) {
  notice_ = std::move(text);
  noticeUntil_ = clock_.GetTickCount() + kMuteNoticeMs;
}

void OptionsScreen::MuteToggled() {
  Say(settings_.mute ? "Sound muted (F10)" : "Sound on (F10)");
  if (menu_) {
    // The screen's own copy follows, so that leaving does not undo the key.
    Settings values = menu_->Values();
    values.mute = settings_.mute;
    opened_.mute = settings_.mute;
    menu_->Follow(values);
  }
}

bool OptionsScreen::TakeKey(std::uint8_t slot, std::uint16_t, bool repeat) {
  if (!menu_) {
    if (form_ == nullptr || !form_->ShowsTitle() || repeat) return false;
    if (KeyNameOfSlot(slot) != kOptionsKeyName) return false;
    Show();
    return true;
  }
  if (menu_->Waiting()) {
    if (repeat) return true;
    if (slot == slot::Escape)
      menu_->Cancel();
    else
      menu_->BindKey(KeyNameOfSlot(slot));
    Apply();
    return true;
  }
  if (slot == dik::Up || IsBound(BoundInput::Up, slot)) {
    Command(MenuCommand::Up);
  } else if (slot == dik::Down || IsBound(BoundInput::Down, slot)) {
    Command(MenuCommand::Down);
  } else if (slot == dik::Left || IsBound(BoundInput::Left, slot)) {
    Command(MenuCommand::Left);
  } else if (slot == dik::Right || IsBound(BoundInput::Right, slot)) {
    Command(MenuCommand::Right);
  } else if (repeat) {
    return true;  // a held ENTER or ESC is one press
  } else if (slot == slot::Return || slot == slot::KeypadEnter ||
             IsBound(BoundInput::Enter, slot)) {
    Command(MenuCommand::Accept);
  } else if (slot == slot::Escape || IsBound(BoundInput::Escape, slot)) {
    Command(MenuCommand::Back);
  }
  return true;
}

bool OptionsScreen::TakePad(PadButton button) {
  if (!menu_) {
    if (form_ == nullptr || !form_->ShowsTitle() || button != kOptionsPadButton) return false;
    Show();
    return true;
  }
  if (menu_->Waiting()) {
    menu_->BindPad(button);
    Apply();
    return true;
  }
  // The screen's own buttons stay as they are whatever is bound, so that no binding can lock
  // a pad player out of it.
  switch (button) {
    case PadButton::Up:
      Command(MenuCommand::Up);
      break;
    case PadButton::Down:
      Command(MenuCommand::Down);
      break;
    case PadButton::Left:
      Command(MenuCommand::Left);
      break;
    case PadButton::Right:
      Command(MenuCommand::Right);
      break;
    case PadButton::A:
    case PadButton::Start:
      Command(MenuCommand::Accept);
      break;
    case PadButton::B:
    case PadButton::Back:
      Command(MenuCommand::Back);
      break;
    default:
      break;
  }
  return true;
}

bool OptionsScreen::IsBound(BoundInput input, std::uint8_t slot) const {
  const std::string_view name = KeyNameOfSlot(slot);
  for (const std::string& key : menu_->Values().extraKeys[static_cast<std::size_t>(input)]) {
    if (key == name) return true;
  }
  return false;
}

void OptionsScreen::Show() {
  opened_ = settings_;
  opened_.fullscreen = application_.Display().fullscreen;
  opened_.scale = application_.Display().scale;
  menu_.emplace(opened_);
}

void OptionsScreen::Command(MenuCommand command) {
  menu_->Command(command);
  Apply();
  if (menu_->Done()) Leave();
}

void OptionsScreen::Apply() {
  const Settings& now = menu_->Values();
  if (now.fullscreen != application_.Display().fullscreen)
    application_.SetFullScreen(now.fullscreen);
  if (now.scale != application_.Display().scale) {
    application_.SetScale(now.scale);
    graphics_.SetScale(now.scale);
  }
  const bool louder =
      now.masterVolume != settings_.masterVolume || now.effectsVolume != settings_.effectsVolume;
  if (louder || now.musicVolume != settings_.musicVolume || now.mute != settings_.mute)
    audio_.SetMixLevels(LevelsOf(now));
  if (louder && form_ != nullptr) form_->SoundSystem1().Play(sound::Beep, false);
  const bool choices = now.pauseOnFocusLoss != settings_.pauseOnFocusLoss ||
                       now.smoothMotion != settings_.smoothMotion;
  if (choices && form_ != nullptr) {
    DisplayOptions display = application_.Display();
    display.pauseOnFocusLoss = now.pauseOnFocusLoss;
    display.smoothMotion = now.smoothMotion;
    form_->SetDisplay(display);
  }
  if (now.extraKeys != settings_.extraKeys) application_.Input().SetBoundKeys(BoundKeysOf(now));
  if (now.padButtons != settings_.padButtons)
    application_.Input().SetPadBindings(PadBindingsOf(now));
  settings_ = now;
}

// Only what the player changed here reaches the file: a --windowed or --mute of this run that
// was left alone stays this run's.
void OptionsScreen::Leave() {
  const Settings now = menu_->Values();
  menu_.reset();
  Settings remembered = file_.Remembered();
  for (const SettingRow& row : SettingRows()) {
    const std::string value = row.format(now);
    if (value == row.format(opened_)) continue;
    std::vector<std::string> problems;
    row.parse(remembered, value, problems);
  }
  // A failure is shown by the game's own notice, which the settings file feeds.
  std::string error;
  if (!file_.Remember(remembered, error))
    std::fprintf(stderr, "tarvex: settings not saved: %s\n", error.c_str());
}

void OptionsScreen::Draw() {
  if (form_ == nullptr) return;
  if (form_->ShowsTitle()) {
    if (menu_)
      DrawOptionsScreen(*menu_, form_->MyCanvas(), form_->Fonts(),
                        form_->Images().FindImage(image::TitleCars.at(form_->State().CarIndex)));
    else
      DrawOptionsHint(form_->Fonts());
  }
  if (!notice_.empty() && static_cast<std::int32_t>(noticeUntil_ - clock_.GetTickCount()) > 0)
    DrawNotice(form_->MyCanvas(), form_->Fonts(), notice_);
}

}  // namespace tvx
