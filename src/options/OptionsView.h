// The options screen and the program's short messages, drawn with the game's fonts and
// colours on its 640 x 480 surface, over whatever screen is below (the title's road goes on
// scrolling behind the options).
#pragma once

#include <string>

#include "options/OptionsMenu.h"

namespace tvx {

class TPxCanvas;
class TPxFonts;
class TPxImage;

// `car` is the picture of the car the player has picked, or null.
void DrawOptionsScreen(const OptionsMenu& menu, TPxCanvas& canvas, TPxFonts& fonts, TPxImage* car);
// The title's line that says how to open the options.
void DrawOptionsHint(TPxFonts& fonts);
// One line at the foot of the screen on a dark band.
void DrawNotice(TPxCanvas& canvas, TPxFonts& fonts, const std::string& text);

}  // namespace tvx
