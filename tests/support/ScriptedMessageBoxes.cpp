#include "support/ScriptedMessageBoxes.h"

namespace brantel::test {

ScriptedMessageBoxes::ScriptedMessageBoxes() {
  previous_ = SetMessageBoxHandler([this](const QString& prompt, BoxStyle style, const QString& title) {
    shown_.push_back({prompt, style, title});
    if (answers_.empty()) return SafeAnswer(style.buttons);
    const brantel::Answer answer = answers_.front();
    answers_.pop_front();
    return answer;
  });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() { SetMessageBoxHandler(std::move(previous_)); }

}  // namespace brantel::test
