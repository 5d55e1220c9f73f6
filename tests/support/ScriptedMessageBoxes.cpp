#include "support/ScriptedMessageBoxes.h"

namespace brantel::test {

ScriptedMessageBoxes::ScriptedMessageBoxes() {
  previous_ = SetMessageBoxHandler([this](const QString& prompt, qint32 buttons, const QString& title) {
    shown_.push_back({prompt, buttons, title});
    if (answers_.empty()) return SafeAnswer(buttons);
    const qint16 code = answers_.front();
    answers_.pop_front();
    return code;
  });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() { SetMessageBoxHandler(std::move(previous_)); }

}  // namespace brantel::test
