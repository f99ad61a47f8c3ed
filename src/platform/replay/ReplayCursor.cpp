#include "platform/replay/ReplayCursor.h"

namespace tvx::replay {

const Entry* ReplayCursor::Peek() {
  for (;;) {
    if (repeatsLeft_ > 0 && position_.offset == repeatEnd_.offset) {
      position_ = --repeatsLeft_ > 0 ? repeatBegin_ : afterRepeat_;
      continue;
    }
    next_ = position_;
    if (!ReadEntryAt(script_, next_.offset, next_.line, peeked_)) return nullptr;
    if (peeked_.kind != Kind::Repeat) return &peeked_;
    // The parser made sure an action came before: the block runs again from it.
    repeatBegin_ = lastAction_;
    repeatEnd_ = {position_.offset, peeked_.line};  // the repeat line itself, for messages
    afterRepeat_ = next_;
    repeatsLeft_ = repeatTotal_ = peeked_.a;
    position_ = repeatBegin_;
  }
}

const Entry* ReplayCursor::NextAction() {
  if (Stopped()) return nullptr;
  const Entry* entry = Peek();
  if (entry == nullptr) {
    BreakOff();
    return nullptr;
  }
  if (!IsAction(entry->kind)) {
    Diverge("the program asked nothing more for this action, but the recording holds " +
            std::string(Describe(entry->kind)));
    return nullptr;
  }
  if (entry->kind == Kind::End) {
    ended_ = true;
    return nullptr;
  }
  lastAction_ = position_;
  position_ = next_;
  if (entry->kind == Kind::Frame) ++frames_;
  action_ = *entry;
  return &action_;
}

const Entry* ReplayCursor::Answer(Kind kind, const char* asked) {
  if (Stopped()) return nullptr;
  const Entry* entry = Peek();
  if (entry == nullptr) {
    BreakOff();
    return nullptr;
  }
  if (entry->kind != kind) {
    Diverge(std::string("the program asked for ") + asked + ", but the recording holds " +
            std::string(Describe(entry->kind)));
    return nullptr;
  }
  position_ = next_;
  answer_ = *entry;
  return &answer_;
}

void ReplayCursor::BreakOff() {
  brokeOff_ = true;
  error_ = script_.name + ": the recording breaks off after frame " + std::to_string(frames_) +
           " without its end line";
}

void ReplayCursor::Diverge(const std::string& what) {
  if (Diverged()) return;
  error_ = "the replay no longer matches the program at " + Where(Peek()) + ": " + what;
}

void ReplayCursor::ExpectEnd() {
  if (Stopped()) return;
  const Entry* entry = Peek();
  if (entry == nullptr) {
    BreakOff();
    return;
  }
  if (entry->kind == Kind::End) {
    ended_ = true;
    return;
  }
  Diverge("the program quit, but the recording goes on");
}

std::string ReplayCursor::Where(const Entry* entry) const {
  std::string where =
      script_.name + ":" + (entry == nullptr ? std::string("end") : std::to_string(entry->line));
  if (repeatsLeft_ > 0) {
    where += " (repetition " + std::to_string(repeatTotal_ - repeatsLeft_ + 1) + " of " +
             std::to_string(repeatTotal_) + " of the block repeated at line " +
             std::to_string(repeatEnd_.line) + ")";
  }
  return where + ", frame " + std::to_string(frames_);
}

}  // namespace tvx::replay
