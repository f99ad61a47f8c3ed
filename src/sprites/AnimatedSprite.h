// A sprite that steps through the patterns of its image. Each Move advances AnimPos by
// AnimSpeed x MoveCount patterns and sets PatternIndex and ImageNumber to its whole part.
// AnimPlayMode 0 runs forward over AnimStart..AnimStart+AnimCount-1 (looping or stopping on
// the last pattern), 1 runs backward, 2 bounces between the ends by flipping the sign of
// AnimSpeed; any other mode holds the position. Without AnimLoop, ping-pong stops after it
// has touched the end and come back to the start. Nothing moves while MoveEnabled or
// Animating is false.
#pragma once

#include <cstdint>
#include <string>

#include "sprites/Sprite.h"

namespace tvx {

class TAnimatedSprite : public TSprite {
 public:
  explicit TAnimatedSprite(TSpriteEngine& engine);

  // Also takes the animation settings of an animated source, but not its play mode.
  void Assign(const TSprite& source) override;
  // The animation step.
  void Move(float moveCount) override;
  void Draw() override;

  // AnimPos is left where it is.
  virtual void SetAnimationEx(const std::string& imageName, std::int32_t start, std::int32_t count,
                              float speed, bool loop, bool mirror, bool animate,
                              std::uint8_t playMode);
  virtual void SetAnimation(const std::string& imageName, std::int32_t start, std::int32_t count,
                            float speed, bool loop, std::uint8_t playMode);

  // A new start also moves AnimPos there; the current value changes nothing.
  void SetAnimStart(std::int32_t value);

  bool Animating = true;
  bool AnimLoop = true;
  std::int32_t AnimStart = 0;
  std::int32_t AnimCount = 0;
  float AnimSpeed = 0.0f;
  float AnimPos = 0.0f;
  bool AnimEnded = false;
  bool EndReached = false;
  bool StartReached = false;
  std::uint8_t AnimPlayMode = 0;

 private:
  // What both animation setters store, the image name through SetImageName.
  void StoreAnimation(const std::string& imageName, std::int32_t start, std::int32_t count,
                      float speed, bool loop, std::uint8_t playMode);
  void StepForward(long double step);
  void StepBackward(long double step);
  void StepPingPong(long double step);
};

}  // namespace tvx
