#include "box_recorder.h"

namespace tk::testing {

BoxRecorder::BoxRecorder() {
  previous_ = InstallPrompter({
      [this](const MessageBoxRequest& r) {
        messages.push_back(r);
        if (!message_answers.empty()) {
          const int a = message_answers.front();
          message_answers.pop_front();
          return a;
        }
        return (r.style & 0x0F) == kYesNo ? int(kAnswerYes) : int(kAnswerOk);
      },
      [this](const InputBoxRequest& r) -> std::optional<std::string> {
        inputs.push_back(r);
        if (input_answers.empty()) return std::nullopt;
        auto a = input_answers.front();
        input_answers.pop_front();
        return a;
      },
  });
}

BoxRecorder::~BoxRecorder() {
  InstallPrompter(previous_);
}

}  // namespace tk::testing
