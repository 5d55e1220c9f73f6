#pragma once

#include "core/Messages.h"

#include <QString>

#include <deque>
#include <vector>

namespace brantel::test {

struct ShownBox {
  QString prompt;
  BoxStyle style;
  QString title;
};

// Answers every message box of the program while it lives: each box is
// recorded, and answered from the queue, or with the safe answer of its
// buttons when the queue is empty. No test ever waits for a person.
class ScriptedMessageBoxes {
 public:
  ScriptedMessageBoxes();
  ~ScriptedMessageBoxes();
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  void Answer(brantel::Answer answer) { answers_.push_back(answer); }
  const std::vector<ShownBox>& Shown() const { return shown_; }
  const ShownBox& Last() const { return shown_.back(); }
  void Clear() { shown_.clear(); }

 private:
  MessageBoxHandler previous_;
  std::deque<brantel::Answer> answers_;
  std::vector<ShownBox> shown_;
};

}  // namespace brantel::test
