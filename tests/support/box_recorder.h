// Answers the message and input boxes in tests and keeps what they were asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "runtime/prompts.h"

namespace tk::testing {

class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  std::vector<MessageBoxRequest> messages;
  std::vector<InputBoxRequest> inputs;
  // Answers given in order; when they run out a message box answers OK (or Yes) and an
  // input box Cancel.
  std::deque<int> message_answers;
  std::deque<std::optional<std::string>> input_answers;

 private:
  Prompter previous_;
};

}  // namespace tk::testing
