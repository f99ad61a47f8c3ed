#include "harness/ScreenTour.h"

#include "game/ImageNames.h"
#include "options/OptionsMenu.h"
#include "options/OptionsView.h"
#include "render/PxImages.h"

namespace tvx::testing {

void VisitScreens(GameHarness& game, const std::function<void(const char* screen)>& atScreen) {
  TGameState& state = game.State();
  const auto until = [&](const std::function<bool()>& done) { game.RunUntil(done, 10000); };

  // The title with its prompt shown, the car well on the road and the options hint, as the
  // program draws it over the title.
  TForm1& form = game.Form();
  form.OnScreenDrawn = [&form] {
    if (form.ShowsTitle()) DrawOptionsHint(form.Fonts());
  };
  until([&] { return !state.PromptText.empty() && state.TitleCarY > 150; });
  atScreen("title");
  // The options over the title, a key just bound to "Steer left".
  OptionsMenu options{Settings{}};
  while (options.Rows()[options.Cursor()].input != BoundInput::Left) {
    options.Command(MenuCommand::Down);
  }
  options.Command(MenuCommand::Accept);
  options.BindKey("A");
  form.OnScreenDrawn = [&form, &options] {
    DrawOptionsScreen(options, form.MyCanvas(), form.Fonts(),
                      form.Images().FindImage(image::TitleCars.at(form.State().CarIndex)));
  };
  game.RunPasses(2);
  atScreen("options");
  form.OnScreenDrawn = nullptr;
  game.Press(vk::Return);
  until([&] { return state.IntroTicks >= 3; });
  atScreen("intro");
  until([&] { return state.LevelRunning; });
  atScreen("setup");
  game.RunFor(3000);
  state.DamageBar.assign(26, '|');
  game.RunPasses(3);  // the smoke is spawned after a frame's sprites and drawn from the next
  atScreen("playing");
  game.Press(vk::Return);
  game.RunPasses(1);
  atScreen("paused");
  game.Press(vk::Return);
  state.DamageBar.assign(31, '|');
  game.RunPasses(3);
  atScreen("gameover");
  game.Press(vk::Return);
  game.RunPasses(1);
  for (const char* letter = "ACE"; *letter != '\0'; ++letter) game.Press(*letter);
  game.Press(vk::Return);
  game.RunPasses(2);
  atScreen("ranking");
  game.Press(vk::Escape);
  game.RunPasses(2);
  game.StartLevel();
  state.Level = 20;
  state.TimeBar.assign(1, '|');
  until([&] { return state.LevelCaption == "YOU WIN!"; });
  game.RunPasses(1);  // the caption changes after the frame that drew the old one
  atScreen("win");
}

}  // namespace tvx::testing
